#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The Exec key of a desktop entry as the Desktop Entry Specification reads it, turned into the
// program and arguments that open one folder. No shell is involved at any point.
namespace execline {

// Splits an Exec value (its string escapes already resolved) into arguments: separated by
// unquoted spaces or tabs; a double-quoted part keeps its spaces, and inside it a backslash
// makes the next character literal (freedesktop.org's format names `"`, `` ` ``, `$` and `\`).
// Outside quotes a backslash also makes the next character literal. None for an unterminated
// quote, a trailing backslash, or no arguments at all.
std::optional<QStringList> split(const QString& exec);

// The arguments with the field codes expanded for opening `folder`: %f %F %u %U become the
// folder's path (the path, not a file:// URL: every editor takes a path, and some take no
// URL), also inside a longer argument; %% is a percent sign; every other field code (%i %c %k
// and the deprecated ones) is removed, and an argument that held nothing else is dropped.
// When no argument takes a file the folder is added as the last argument.
QList<QByteArray> expand(const QStringList& arguments, const QByteArray& folder);

// Whether any argument holds %f, %F, %u or %U.
bool takesFiles(const QStringList& arguments);

} // namespace execline
