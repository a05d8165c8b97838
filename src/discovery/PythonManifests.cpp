// The Python readers: pyproject.toml as TOML (with a plain key reading for files that are not
// TOML), then setup.py's keyword arguments.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"
#include "discovery/TomlDocument.h"

namespace {

QRegularExpression quotedValuePattern(const char* start, const char* key) {
    return QRegularExpression(QString::fromLatin1(start) + QString::fromLatin1(key) +
                                  QStringLiteral(R"(\s*=\s*["']([^"']+)["'])"),
                              manifesttext::kPatternOptions);
}
// A TOML key counts when it starts its line; a setup.py keyword argument follows "(" or ",".
constexpr const char* kTomlStart = R"((?m)^[ \t]*)";
constexpr const char* kArgumentStart = R"([(,]\s*)";

ManifestInfo quotedKeys(QByteArrayView bytes, bool toml) {
    static const QRegularExpression tomlName = quotedValuePattern(kTomlStart, "name");
    static const QRegularExpression tomlVersion = quotedValuePattern(kTomlStart, "version");
    static const QRegularExpression argumentName = quotedValuePattern(kArgumentStart, "name");
    static const QRegularExpression argumentVersion = quotedValuePattern(kArgumentStart, "version");
    ManifestInfo info;
    const std::optional<QString> text = manifesttext::text(bytes);
    if (!text) return info;
    info.name = manifesttext::firstCapture(toml ? tomlName : argumentName, *text);
    info.version = manifesttext::firstCapture(toml ? tomlVersion : argumentVersion, *text);
    return info;
}

bool listsVersion(const toml::array* dynamic) {
    if (!dynamic) return false;
    for (const toml::node& entry : *dynamic) {
        if (entry.value<std::string_view>() == "version") return true;
    }
    return false;
}

ManifestInfo readPyproject(QByteArrayView bytes) {
    const std::optional<tomldocument::Document> doc = tomldocument::parse(manifesttext::withoutBom(bytes));
    if (!doc) return quotedKeys(bytes, true);
    const auto project = doc->root()["project"];
    const auto poetry = doc->root()["tool"]["poetry"];
    ManifestInfo info;
    info.name = doc->string(project["name"]);
    if (!info.name) info.name = doc->string(poetry["name"]);
    if (!listsVersion(project["dynamic"].as_array())) {
        info.version = doc->string(project["version"]);
        if (!info.version) info.version = doc->string(poetry["version"]);
    }
    return info;
}

} // namespace

ManifestInfo parsePythonProjectData(const std::optional<QByteArray>& pyprojectToml,
                                    const std::optional<QByteArray>& setupPy) {
    if (pyprojectToml) {
        ManifestInfo info = readPyproject(*pyprojectToml);
        if (info.name || info.version) return info;
    }
    if (!setupPy) return {};
    return quotedKeys(*setupPy, false);
}
