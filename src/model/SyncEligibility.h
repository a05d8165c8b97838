#pragma once

#include "model/GitState.h"
#include "model/Project.h"

#include <QString>

// Whether pull, push and fetch can act on a repository, and why not. The window's buttons, their
// tooltips, the bulk actions and the command line all ask here, and the engine asks again with a
// fresh reading right before it acts.
struct SyncEligibility {
    bool allowed = false;
    // Allowed: what the action will do ("Fast-forward main to origin/main (3 commits)").
    // Not allowed: why not, in words ("Diverged from origin/main: ...").
    QString reason;
    // Not allowed: a short stable phrase for summaries ("diverged", "no upstream"); empty
    // when allowed.
    QString category;
};

// Pull (fast-forward only): HEAD is a branch with an upstream that still exists, nothing is in
// progress, the branch has no commits of its own, and (with `requireBehind`) the upstream has
// commits to take. Without `requireBehind` a branch level with its upstream is allowed: a fetch
// may bring new commits.
SyncEligibility pullEligibility(const GitState& state, bool requireBehind = true);
// Push: HEAD is a branch with an upstream, ahead of it and not behind, nothing in progress.
SyncEligibility pushEligibility(const GitState& state);

// The same for a project record: a folder without a repository of its own, or one git could not
// read, is never eligible.
SyncEligibility pullEligibility(const Project& project, bool requireBehind = true);
SyncEligibility pushEligibility(const Project& project);
// Fetch: a readable repository with at least one remote ("No remote to fetch from" otherwise).
SyncEligibility fetchEligibility(const Project& project);

// What the tooltips of pull, push and fetch add: the repository's own programs do not run.
QString syncActionsNote();
