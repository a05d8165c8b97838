#pragma once

#include <QByteArray>
#include <optional>

// A bookmark of a folder: its absolute path and its identity (device and inode), in a small
// versioned byte format:
//
//   "COBOOKMK"  8 bytes, the magic
//   version     2 bytes, big-endian, currently 1
//   device      8 bytes, big-endian
//   inode       8 bytes, big-endian
//   length      4 bytes, big-endian, the path's length
//   path        `length` bytes, the absolute path as file-system bytes
//
// Nothing may follow the path. Anything else is not a bookmark of ours.
namespace folderbookmark {

// The longest path the system opens (PATH_MAX, the terminating zero included) and so the
// longest a bookmark holds.
inline constexpr qsizetype kMaxPathLength = 4096;
// The size of a bookmark of such a path; larger data is no bookmark of ours.
inline constexpr qsizetype kMaxSize = 8 + 2 + 8 + 8 + 4 + kMaxPathLength;

// A bookmark of `folder`; none when it is not an absolute path to an existing folder.
std::optional<QByteArray> create(const QByteArray& folder);

struct Resolution {
    QByteArray path;
    // A folder stands at the path, but not the one the bookmark was made of.
    bool isStale = false;
};

// The folder the bookmark names. None when the data is not a bookmark of ours or no folder
// is at its path any more.
std::optional<Resolution> resolve(const QByteArray& data);

// The path a bookmark of ours names, whether or not a folder is there now.
std::optional<QByteArray> storedPath(const QByteArray& data);

} // namespace folderbookmark
