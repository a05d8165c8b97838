#include "discovery/ManifestReaders.h"

#include "discovery/FileAccess.h"
#include "discovery/Utf8.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// A byte order mark some editors write at the start of UTF-8 files; it is no part of the text.
constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

std::optional<QByteArray> readManifest(const QByteArray& folder, const char* file) {
    std::optional<QByteArray> bytes = fileaccess::readRegularFile(fileaccess::join(folder, file));
    if (bytes && bytes->startsWith(kUtf8Bom)) bytes->remove(0, kUtf8Bom.size());
    return bytes;
}

std::optional<QString> readUtf8Text(const QByteArray& folder, const char* file) {
    const auto bytes = readManifest(folder, file);
    if (!bytes) return std::nullopt;
    return decodeUtf8(*bytes);
}

// Capture group 1 of the first match anywhere in the text.
std::optional<QString> firstCapture(const QRegularExpression& re, const QString& text) {
    if (!re.isValid()) return std::nullopt;
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    return m.captured(1);
}

std::optional<QString> jsonString(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (!value.isString()) return std::nullopt;
    return value.toString();
}

// "\s" must mean Unicode white space, line breaks included; negated classes span lines anyway.
constexpr auto kOptions = QRegularExpression::UseUnicodePropertiesOption;

} // namespace

ManifestInfo parsePackageJSON(const QByteArray& folder) {
    ManifestInfo info;
    const auto bytes = readManifest(folder, "package.json");
    if (!bytes) return info;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(*bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return info;
    const QJsonObject root = doc.object();
    info.name = jsonString(root, QLatin1String("name"));
    info.version = jsonString(root, QLatin1String("version"));
    const QJsonObject deps = root.value(QLatin1String("dependencies")).toObject();
    const QJsonObject devDeps = root.value(QLatin1String("devDependencies")).toObject();
    info.isReactNative = deps.contains(QLatin1String("react-native"));
    info.isNextJS = deps.contains(QLatin1String("next")) || devDeps.contains(QLatin1String("next"));
    return info;
}

ManifestInfo parsePomXML(const QByteArray& folder) {
    static const QRegularExpression versionRe(QStringLiteral("<version>([^<]+)</version>"), kOptions);
    static const QRegularExpression artifactRe(QStringLiteral("<artifactId>([^<]+)</artifactId>"), kOptions);
    ManifestInfo info;
    const auto text = readUtf8Text(folder, "pom.xml");
    if (!text) return info;
    info.version = firstCapture(versionRe, *text);
    info.name = firstCapture(artifactRe, *text);
    return info;
}

ManifestInfo parsePythonProject(const QByteArray& folder) {
    // A key counts only as a whole key: in TOML it starts its line (so "target-version" or an
    // inline table's "name" is not the project's), in setup.py no identifier character or dot
    // comes right before it (so "project_name=" is not the keyword argument "name=").
    const auto pattern = [](const char* start, const char* key) {
        return QRegularExpression(QString::fromLatin1(start) + QString::fromLatin1(key) +
                                      QStringLiteral(R"(\s*=\s*["']([^"']+)["'])"),
                                  kOptions);
    };
    static const char* const tomlStart = R"((?m)^[ \t]*)";
    static const char* const pythonStart = R"((?<![\w.]))";
    static const QRegularExpression tomlName = pattern(tomlStart, "name");
    static const QRegularExpression tomlVersion = pattern(tomlStart, "version");
    static const QRegularExpression pythonName = pattern(pythonStart, "name");
    static const QRegularExpression pythonVersion = pattern(pythonStart, "version");
    const auto read = [&](const QString& text, const QRegularExpression& nameRe, const QRegularExpression& versionRe) {
        ManifestInfo info;
        info.name = firstCapture(nameRe, text);
        info.version = firstCapture(versionRe, text);
        return info;
    };
    if (const auto pyproject = readUtf8Text(folder, "pyproject.toml")) {
        ManifestInfo info = read(*pyproject, tomlName, tomlVersion);
        if (info.name || info.version) return info;
    }
    const auto setupPy = readUtf8Text(folder, "setup.py");
    if (!setupPy) return {};
    return read(*setupPy, pythonName, pythonVersion);
}
