#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The keys of a freedesktop desktop entry file's "Desktop Entry" group that launching needs.
// Strings are unescaped (\s \n \t \r \\); localized keys ("Name[de]") are not read.
struct DesktopEntry {
    QString type;
    QString name;
    QString exec;
    QString tryExec;
    bool hidden = false;
    bool noDisplay = false;
    bool terminal = false;
};

namespace desktopentry {

// Files larger than this are not read: no desktop entry comes near it.
inline constexpr qint64 kMaxBytes = 256 * 1024;

// The entry of a desktop file's bytes: the first "[Desktop Entry]" group (keys before any group
// and other groups are ignored; of a key given twice the first counts). None when the group is
// missing. Lines that are neither comments, groups nor "key=value" are skipped; bytes that are
// not UTF-8 become replacement characters.
std::optional<DesktopEntry> parse(const QByteArray& bytes);

// A string value with the desktop entry escapes resolved; an unknown escape keeps both characters.
QString unescape(QStringView value);

// True for the "true" of a boolean value (exactly as the desktop entry format writes it;
// "1" as well, which older files use).
bool isTrue(QStringView value);

} // namespace desktopentry
