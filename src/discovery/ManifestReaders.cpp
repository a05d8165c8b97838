#include "discovery/ManifestReaders.h"

#include "discovery/FileAccess.h"
#include "discovery/Utf8.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

std::optional<QString> readUtf8Text(const QByteArray& folder, const char* file) {
    const auto bytes = fileaccess::readRegularFile(fileaccess::join(folder, file));
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
    const auto bytes = fileaccess::readRegularFile(fileaccess::join(folder, "package.json"));
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
    static const QRegularExpression nameRe(QStringLiteral(R"(name\s*=\s*["']([^"']+)["'])"), kOptions);
    static const QRegularExpression versionRe(QStringLiteral(R"(version\s*=\s*["']([^"']+)["'])"), kOptions);
    const auto read = [&](const QString& text) {
        ManifestInfo info;
        info.name = firstCapture(nameRe, text);
        info.version = firstCapture(versionRe, text);
        return info;
    };
    if (const auto pyproject = readUtf8Text(folder, "pyproject.toml")) {
        ManifestInfo info = read(*pyproject);
        if (info.name || info.version) return info;
    }
    const auto setupPy = readUtf8Text(folder, "setup.py");
    if (!setupPy) return {};
    return read(*setupPy);
}
