#pragma once

#include "model/GitProblem.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// A repository operation left in progress in the work tree.
enum class GitOperation { none, merge, rebase, cherryPick, revert, bisect };

// "merge", "rebase", "cherry-pick", "revert", "bisect"; empty for none.
QString gitOperationKey(GitOperation operation);

// The last commit on HEAD as git printed it.
struct GitCommitSummary {
    QString id; // abbreviated
    QString author;
    QString subject;
    friend bool operator==(const GitCommitSummary&, const GitCommitSummary&) = default;
};

// What git and the repository's git folder tell beyond branch, remotes and changes.
// Counts are of status entries; numbers git did not print are absent.
struct GitState {
    bool bare = false;               // a bare repository: no working tree, nothing to commit
    std::optional<QString> commit;   // full id of HEAD; absent before the first commit
    bool detached = false;           // HEAD points at a commit, not a branch
    std::optional<QString> upstream; // e.g. "origin/main"; absent when none is set
    std::optional<int> ahead;        // absent without upstream or when its ref is gone
    std::optional<int> behind;
    int stashes = 0;
    int staged = 0;
    int unstaged = 0;
    int untracked = 0;
    int conflicted = 0;
    GitOperation operation = GitOperation::none;
    std::optional<QByteArray> worktreeOf; // the main repository's folder of a linked worktree
    std::optional<GitCommitSummary> lastCommit;
    std::optional<QDateTime> lastFetched; // FETCH_HEAD's modification time
    GitProblem problem = GitProblem::none;
    QString problemDetail; // git's first error line, when it printed one

    friend bool operator==(const GitState&, const GitState&) = default;

    // The upstream is set but its ref is missing (deleted on the remote and pruned).
    bool upstreamGone() const { return upstream.has_value() && !ahead.has_value(); }
};

size_t qHash(const GitState& state, size_t seed = 0) noexcept;
