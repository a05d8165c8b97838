// The Go reader: the module directive of go.mod.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

namespace {

// A major-version suffix: "v" and digits.
bool isMajorVersion(QStringView element) {
    if (element.size() < 2 || element[0] != u'v') return false;
    for (qsizetype i = 1; i < element.size(); ++i) {
        if (!element[i].isDigit()) return false;
    }
    return true;
}

// The path as written: bare, or quoted with "..." or `...`.
QString unquoted(QStringView path) {
    if (path.size() >= 2 && (path.front() == u'"' || path.front() == u'`') && path.back() == path.front())
        return path.sliced(1, path.size() - 2).toString();
    return path.toString();
}

std::optional<QString> lastElement(const QString& path) {
    QStringList elements = path.split(u'/', Qt::SkipEmptyParts);
    if (elements.size() > 1 && isMajorVersion(elements.last())) elements.removeLast();
    if (elements.isEmpty()) return std::nullopt;
    return elements.last();
}

} // namespace

std::optional<QString> parseGoModData(QByteArrayView bytes) {
    const std::optional<QString> text = manifesttext::text(bytes);
    if (!text) return std::nullopt;
    bool inBlock = false; // module ( ... )
    for (QStringView line : QStringView(*text).split(u'\n')) {
        if (const qsizetype comment = line.indexOf(u"//"); comment >= 0) line = line.first(comment);
        line = line.trimmed();
        if (line.isEmpty()) continue;
        if (inBlock) {
            if (line == u")") return std::nullopt;
            return lastElement(unquoted(line));
        }
        if (!line.startsWith(u"module")) continue;
        const QStringView rest = line.sliced(6);
        if (rest.isEmpty() || !(rest.front().isSpace() || rest.front() == u'(' || rest.front() == u'"')) continue;
        const QStringView path = rest.trimmed();
        if (path == u"(") {
            inBlock = true;
            continue;
        }
        return lastElement(unquoted(path));
    }
    return std::nullopt;
}
