#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <QSet>

#include <atomic>
#include <optional>

class GitService;

// A project whose folder is watched: its folder, and for one inside another repository's
// work tree that repository's folder.
struct WatchTarget {
    QByteArray path;
    std::optional<QByteArray> repository;
    bool hasGit = false;

    static WatchTarget of(const Project& project);
    friend bool operator==(const WatchTarget&, const WatchTarget&) = default;
};

// The folders to watch for one project, in the order they are worth watching.
struct WatchPlan {
    QByteArray key; // the project's folder
    // The git folder, the common git folder of a linked worktree, and the folders of an
    // operation in progress (rebase-merge/, rebase-apply/, sequencer/).
    QList<QByteArray> gitFolders;
    // refs/ of the common git folder and every folder below it.
    QList<QByteArray> refFolders;
    // The project's folder and every folder under it that holds tracked files (for a project
    // without git: its folder alone).
    QList<QByteArray> treeFolders;

    int size() const { return int(gitFolders.size() + refFolders.size() + treeFolders.size()); }
};

namespace watchplan {

// The projects' targets in the order the budget serves them: the most recently changed first,
// the projects being worked on.
QList<WatchTarget> byRecentChange(const QList<Project>& projects);

// At most this many folders under refs/ are watched for one repository.
inline constexpr int kMaxRefFolders = 512;

// Reads the git folder and asks git for the tracked files ("ls-files -z"); `git` runs on the
// calling thread.
WatchPlan plan(const WatchTarget& target, GitService& git);

// The folders holding the files `lsFilesOutput` names (NUL-separated, relative to `folder`),
// `folder` first, then the others sorted, each once.
QList<QByteArray> trackedFolders(const QByteArray& folder, const QByteArray& lsFilesOutput);

// The folders a walk of `root` to `maxDepth` visits that can gain or lose a project: above
// `maxDepth` (a new folder in them is still walked), and neither a repository nor inside one.
// Pre-order; stops early once `stop` is true.
QList<QByteArray> rootFolders(const QByteArray& root, int maxDepth, const std::atomic<bool>* stop);

// The folders a walk of `root` to `maxDepth` visits that hold a project marker: where the
// scanner may find a project. No git runs.
QList<QByteArray> markedFolders(const QByteArray& root, int maxDepth, const std::atomic<bool>* stop);

// The folders of `known` at or below `folder` that are not among `found`.
QList<QByteArray> goneUnder(const QByteArray& folder, const QList<QByteArray>& known, const QList<QByteArray>& found);

// `folder` and the folders below it, pre-order, symbolic links not followed, at most `limit`.
QList<QByteArray> foldersFrom(const QByteArray& folder, int limit);

// Whether `path` is `folder` or lies below it.
bool isWithin(const QByteArray& path, const QByteArray& folder);

} // namespace watchplan
