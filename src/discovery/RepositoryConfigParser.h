#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// One "name = value" line of a git configuration file, with the name in git's canonical
// form: section and key lower-cased, the subsection (between the first and the last dot)
// kept as written. A key given without "=" has no value (git reads it as boolean true).
struct ConfigEntry {
    QByteArray name;
    std::optional<QByteArray> value;

    QByteArray section() const;
    QByteArray subsection() const; // empty when there is none
    QByteArray key() const;
    bool hasSubsection() const;
};

// Parses git's configuration syntax the way git itself does: sections "[core]", quoted
// subsections "[filter \"name\"]" and the older "[section.sub]", comments after '#' or ';',
// quoted values with the escapes \\ \" \n \t \b, and continuation lines. Nothing when the text
// holds a line git would refuse ("bad config line"), so a file git cannot read is never taken
// for an empty one; nothing too for a text of more than 20,000 entries (far beyond any real
// configuration), which keeps a hostile file from costing memory on every git run.
std::optional<QList<ConfigEntry>> parseGitConfig(const QByteArray& text);
