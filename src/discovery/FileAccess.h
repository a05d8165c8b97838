#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

// Small POSIX helpers that take paths as the file system's bytes.
namespace fileaccess {

// Joins a folder path and an entry name with exactly one slash.
QByteArray join(const QByteArray& folder, const QByteArray& name);

// The last path component ("/a/b/" gives "b"; "/" gives "/").
QByteArray lastComponent(const QByteArray& path);

// True when something exists at the path, following symbolic links.
bool exists(const QByteArray& path);

// The whole content of a regular file. Fails on anything that is not a regular file
// (a FIFO or device would block or never end) and on files over `maxBytes`.
std::optional<QByteArray> readRegularFile(const QByteArray& path, qint64 maxBytes = 64 * 1024 * 1024);
// The same for the entry `name` of the folder open as `dirFd` (AT_FDCWD: the working folder).
std::optional<QByteArray> readRegularFileAt(int dirFd, const char* name, qint64 maxBytes = 64 * 1024 * 1024);

// The modification time of the entry itself (symbolic links are followed, as for any folder path).
// None outside the years 1 to 9999, which some file systems store.
std::optional<QDateTime> modificationTime(const QByteArray& path);

} // namespace fileaccess
