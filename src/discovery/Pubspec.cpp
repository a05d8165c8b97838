// The Flutter / Dart reader: the top-level keys of pubspec.yaml, read line by line (the keys it
// needs are plain block-style mappings).
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

namespace {

// A YAML scalar as written on one line: without a trailing comment, unquoted.
QString scalar(QStringView value) {
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')) {
        const qsizetype close = value.indexOf(value.front(), 1);
        if (close > 0) return value.sliced(1, close - 1).toString();
    }
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'#' && (i == 0 || value[i - 1].isSpace())) {
            value = value.first(i);
            break;
        }
    }
    return value.trimmed().toString();
}

struct KeyLine {
    bool topLevel = false;
    QStringView key;
    QStringView value;
};

// "key: value" (or "key:"), and whether it starts at the first column.
std::optional<KeyLine> keyLine(QStringView line) {
    const bool topLevel = !line.isEmpty() && !line.front().isSpace();
    const QStringView body = line.trimmed();
    if (body.isEmpty() || body.front() == u'#') return std::nullopt;
    const qsizetype colon = body.indexOf(u':');
    if (colon <= 0) return std::nullopt;
    if (colon + 1 < body.size() && !body[colon + 1].isSpace()) return std::nullopt;
    return KeyLine{topLevel, body.first(colon).trimmed(), body.sliced(colon + 1)};
}

} // namespace

ManifestInfo parsePubspecData(QByteArrayView bytes) {
    ManifestInfo info;
    const std::optional<QString> text = manifesttext::text(bytes);
    if (!text) return info;
    bool inDependencies = false;
    for (QStringView line : QStringView(*text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        const std::optional<KeyLine> entry = keyLine(line);
        if (!entry) continue;
        if (!entry->topLevel) {
            if (inDependencies && entry->key == u"sdk" && scalar(entry->value) == u"flutter") info.isFlutter = true;
            continue;
        }
        inDependencies = entry->key == u"dependencies";
        const QString value = scalar(entry->value);
        if (entry->key == u"name" && !info.name && !value.isEmpty()) info.name = value;
        else if (entry->key == u"version" && !info.version && !value.isEmpty()) info.version = value;
        else if (entry->key == u"flutter") info.isFlutter = true;
    }
    return info;
}
