#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

class GitService;

// When a folder inside a repository's work tree last changed in the repository's history: the
// time of the last commit that touched it ("log -1 --format=%ct -- <folder>", the path taken
// literally). A history walk that fails or runs out of time gives the repository's last commit
// instead. Nothing when no commit touched the folder (it is untracked) or git cannot tell.
std::optional<QDateTime> lastCommitTouching(GitService& git, const QByteArray& repository, const QByteArray& folder);
