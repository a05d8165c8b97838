#include "state/DesktopEntry.h"

#include <QSet>

namespace desktopentry {

QString unescape(QStringView value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case u's': out += u' '; break;
        case u'n': out += u'\n'; break;
        case u't': out += u'\t'; break;
        case u'r': out += u'\r'; break;
        case u'\\': out += u'\\'; break;
        default:
            out += c;
            out += next;
        }
    }
    return out;
}

bool isTrue(QStringView value) { return value == u"true" || value == u"1"; }

std::optional<DesktopEntry> parse(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    DesktopEntry entry;
    bool inGroup = false;
    bool found = false;
    QSet<QString> seen;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) continue;
        if (trimmed.startsWith(u'[')) {
            if (found) break; // only the first such group counts
            inGroup = trimmed == u"[Desktop Entry]";
            found = inGroup;
            continue;
        }
        if (!inGroup) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed().toString();
        if (key.isEmpty() || seen.contains(key)) continue;
        seen.insert(key);
        const QStringView raw = line.mid(eq + 1).trimmed();
        if (key == u"Type") entry.type = unescape(raw);
        else if (key == u"Name") entry.name = unescape(raw);
        else if (key == u"Exec") entry.exec = unescape(raw);
        else if (key == u"TryExec") entry.tryExec = unescape(raw);
        else if (key == u"Hidden") entry.hidden = isTrue(raw);
        else if (key == u"NoDisplay") entry.noDisplay = isTrue(raw);
        else if (key == u"Terminal") entry.terminal = isTrue(raw);
    }
    if (!found) return std::nullopt;
    return entry;
}

} // namespace desktopentry
