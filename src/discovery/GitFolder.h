#pragma once

#include "model/GitState.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

// What a work tree's git folder tells without running git: where the git folder is, whether
// the work tree is a linked worktree, an operation left in progress and the last fetch.
struct GitFolderInfo {
    bool valid = false;    // ".git" is a git folder, or a "gitdir:" file naming one, or the folder is bare
    bool bare = false;     // the folder is a bare repository, its own git folder
    QByteArray gitDir;     // the work tree's own git folder
    QByteArray commonDir;  // the repository's shared git folder (equals gitDir unless linked)
    std::optional<QByteArray> worktreeOf; // the main work tree (or bare repository) of a linked worktree
    GitOperation operation = GitOperation::none;
    std::optional<QDateTime> lastFetched;
};

namespace gitfolder {

// Reads `workTree`/.git. A ".git" that is neither a folder with a HEAD nor a readable
// "gitdir: <path>" file naming such a folder gives `valid` false and nothing else. A folder
// without ".git" that is a bare repository reads as its own git folder.
GitFolderInfo read(const QByteArray& workTree);

// The operation whose marker files lie in the git folder; a rebase wins over the others, since
// its steps may leave their own markers behind.
GitOperation operationIn(const QByteArray& gitDir);

// The nearest folder above `folder` (not `folder` itself) that holds a ".git" entry.
std::optional<QByteArray> enclosingRepository(const QByteArray& folder);

} // namespace gitfolder
