// The Gradle reader: the settings file's root project name, the build file's version, and
// gradle.properties.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

namespace {

std::optional<QString> capture(const std::optional<QByteArray>& bytes, const QRegularExpression& re) {
    if (!bytes) return std::nullopt;
    const std::optional<QString> text = manifesttext::text(*bytes);
    return text ? manifesttext::firstCapture(re, *text, 2) : std::nullopt;
}

// Java properties: "key=value", "key: value" or "key value"; comments start with # or !.
std::optional<QString> propertyValue(const std::optional<QByteArray>& bytes, QStringView key) {
    if (!bytes) return std::nullopt;
    const std::optional<QString> text = manifesttext::text(*bytes);
    if (!text) return std::nullopt;
    for (QStringView line : QStringView(*text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        line = line.trimmed();
        if (!line.startsWith(key)) continue;
        QStringView rest = line.sliced(key.size());
        if (rest.isEmpty() || !(rest.front() == u'=' || rest.front() == u':' || rest.front().isSpace())) continue;
        rest = rest.trimmed();
        if (!rest.isEmpty() && (rest.front() == u'=' || rest.front() == u':')) rest = rest.sliced(1).trimmed();
        if (rest.isEmpty()) return std::nullopt;
        return rest.toString();
    }
    return std::nullopt;
}

} // namespace

ManifestInfo parseGradleData(const std::optional<QByteArray>& settings, const std::optional<QByteArray>& build,
                             const std::optional<QByteArray>& properties) {
    static const QRegularExpression rootName(
        QStringLiteral(R"((?m)^[ \t]*rootProject\.name\s*=\s*(["'])([^"'\r\n]+)\1)"), manifesttext::kPatternOptions);
    static const QRegularExpression version(
        QStringLiteral(R"((?m)^[ \t]*version(?:[ \t]*=[ \t]*|[ \t]+)(["'])([^"'\r\n]+)\1)"), manifesttext::kPatternOptions);
    ManifestInfo info;
    info.name = capture(settings, rootName);
    info.version = capture(build, version);
    if (!info.version) info.version = propertyValue(properties, u"version");
    return info;
}
