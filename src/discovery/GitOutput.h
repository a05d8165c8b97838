#pragma once

#include "discovery/ProcessRunner.h"
#include "model/GitState.h"

#include <QByteArray>
#include <QString>
#include <optional>

// What "status --porcelain=v2 --branch --show-stash" printed.
struct PorcelainStatus {
    bool hasEntries = false; // at least one line that is not a "#" header
    std::optional<QString> commit;
    bool detached = false;
    std::optional<QString> upstream;
    std::optional<int> ahead;
    std::optional<int> behind;
    int stashes = 0;
    int staged = 0;
    int unstaged = 0;
    int untracked = 0;
    int conflicted = 0;
};

PorcelainStatus parsePorcelainV2(const QByteArray& output);

// "log -1 --format=%ct%x00%h%x00%an%x00%s": the commit time as text (first field, trimmed)
// and the rest; nothing for an empty output.
struct LastCommitFields {
    QString time;
    std::optional<GitCommitSummary> summary;
};
LastCommitFields parseLastCommit(const QString& output);

// How a git run went wrong, if it did, with git's first error line as the detail.
struct RunProblem {
    GitProblem problem = GitProblem::none;
    QString detail;
};
RunProblem problemOf(const ProcessResult& result, bool gitExecutableExists);

// The first non-empty line of git's standard error, trimmed.
QString firstErrorLine(const QByteArray& errorOutput);
