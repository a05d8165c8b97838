#include "discovery/ManifestReaders.h"

#include "discovery/FileAccess.h"
#include "discovery/ManifestText.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::optional<QByteArray> readManifest(const QByteArray& folder, const char* file) {
    return fileaccess::readRegularFile(fileaccess::join(folder, file));
}

std::optional<QString> jsonString(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (!value.isString()) return std::nullopt;
    return value.toString();
}

// The top-level object of a JSON manifest; nothing when the text is not JSON or its top
// level is not an object.
std::optional<QJsonObject> jsonObject(QByteArrayView bytes) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(manifesttext::withoutBom(bytes).toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    return doc.object();
}

} // namespace

ManifestInfo parsePackageJSONData(QByteArrayView bytes) {
    ManifestInfo info;
    const std::optional<QJsonObject> root = jsonObject(bytes);
    if (!root) return info;
    info.name = jsonString(*root, QLatin1String("name"));
    info.version = jsonString(*root, QLatin1String("version"));
    const QJsonObject deps = root->value(QLatin1String("dependencies")).toObject();
    const QJsonObject devDeps = root->value(QLatin1String("devDependencies")).toObject();
    info.isReactNative = deps.contains(QLatin1String("react-native"));
    info.isNextJS = deps.contains(QLatin1String("next")) || devDeps.contains(QLatin1String("next"));
    return info;
}

ManifestInfo parseComposerJsonData(QByteArrayView bytes) {
    ManifestInfo info;
    const std::optional<QJsonObject> root = jsonObject(bytes);
    if (!root) return info;
    info.name = jsonString(*root, QLatin1String("name"));
    info.version = jsonString(*root, QLatin1String("version"));
    return info;
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
