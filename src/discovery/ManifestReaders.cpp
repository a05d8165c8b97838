#include "discovery/ManifestReaders.h"

#include "discovery/FileAccess.h"
#include "discovery/Utf8.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// A byte order mark some editors write at the start of UTF-8 files; it is no part of the text.
constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

QByteArrayView withoutBom(QByteArrayView bytes) {
    return bytes.startsWith(kUtf8Bom) ? bytes.sliced(kUtf8Bom.size()) : bytes;
}

std::optional<QByteArray> readManifest(const QByteArray& folder, const char* file) {
    return fileaccess::readRegularFile(fileaccess::join(folder, file));
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

// A key counts only as a whole key: in TOML it starts its line (so "target-version" or an
// inline table's "name" is not the project's), in setup.py no identifier character or dot
// comes right before it (so "project_name=" is not the keyword argument "name=").
QRegularExpression quotedValuePattern(const char* start, const char* key) {
    return QRegularExpression(QString::fromLatin1(start) + QString::fromLatin1(key) +
                                  QStringLiteral(R"(\s*=\s*["']([^"']+)["'])"),
                              kOptions);
}
constexpr const char* kTomlStart = R"((?m)^[ \t]*)";
constexpr const char* kPythonStart = R"((?<![\w.]))";

ManifestInfo readPythonKeys(QByteArrayView bytes, bool toml) {
    static const QRegularExpression tomlName = quotedValuePattern(kTomlStart, "name");
    static const QRegularExpression tomlVersion = quotedValuePattern(kTomlStart, "version");
    static const QRegularExpression pythonName = quotedValuePattern(kPythonStart, "name");
    static const QRegularExpression pythonVersion = quotedValuePattern(kPythonStart, "version");
    ManifestInfo info;
    const std::optional<QString> text = decodeUtf8(withoutBom(bytes));
    if (!text) return info;
    info.name = firstCapture(toml ? tomlName : pythonName, *text);
    info.version = firstCapture(toml ? tomlVersion : pythonVersion, *text);
    return info;
}

} // namespace

ManifestInfo parsePackageJSONData(QByteArrayView bytes) {
    ManifestInfo info;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(withoutBom(bytes).toByteArray(), &error);
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

ManifestInfo parsePomXMLData(QByteArrayView bytes) {
    static const QRegularExpression versionRe(QStringLiteral("<version>([^<]+)</version>"), kOptions);
    static const QRegularExpression artifactRe(QStringLiteral("<artifactId>([^<]+)</artifactId>"), kOptions);
    ManifestInfo info;
    const std::optional<QString> text = decodeUtf8(withoutBom(bytes));
    if (!text) return info;
    info.version = firstCapture(versionRe, *text);
    info.name = firstCapture(artifactRe, *text);
    return info;
}

ManifestInfo parsePythonProjectData(const std::optional<QByteArray>& pyprojectToml,
                                    const std::optional<QByteArray>& setupPy) {
    if (pyprojectToml) {
        ManifestInfo info = readPythonKeys(*pyprojectToml, true);
        if (info.name || info.version) return info;
    }
    if (!setupPy) return {};
    return readPythonKeys(*setupPy, false);
}

ManifestInfo parsePackageJSON(const QByteArray& folder) {
    const auto bytes = readManifest(folder, "package.json");
    return bytes ? parsePackageJSONData(*bytes) : ManifestInfo{};
}

ManifestInfo parsePomXML(const QByteArray& folder) {
    const auto bytes = readManifest(folder, "pom.xml");
    return bytes ? parsePomXMLData(*bytes) : ManifestInfo{};
}

ManifestInfo parsePythonProject(const QByteArray& folder) {
    const ManifestInfo fromToml = parsePythonProjectData(readManifest(folder, "pyproject.toml"), std::nullopt);
    if (fromToml.name || fromToml.version) return fromToml;
    // setup.py is read only when pyproject.toml gave nothing.
    return parsePythonProjectData(std::nullopt, readManifest(folder, "setup.py"));
}
