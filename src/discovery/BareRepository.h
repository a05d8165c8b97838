#pragma once

#include <QByteArray>

// A folder that git would take as a bare repository, told from its files alone: a regular
// "HEAD", "objects" and "refs" folders, and core.bare set to true in its own "config" (git
// reads that key from the file itself, without includes, when it checks the layout).
namespace barerepository {

// The folder open as `dirFd`.
bool isBare(int dirFd);
// The folder at `folder`.
bool isBareAt(const QByteArray& folder);

// The project name of a bare repository's folder name: without a ".git" suffix ("tool.git"
// gives "tool"); a name that would be left empty stays as it is.
QByteArray nameOf(const QByteArray& folderName);

} // namespace barerepository
