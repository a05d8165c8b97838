#pragma once

#include "model/Project.h"

#include <QDateTime>
#include <QLocale>
#include <QVariantList>
#include <QVariantMap>

// The sync state of a project as the views read it, every text composed here.
// Keys: hasState, branchText, summary, needsAttention, attention (keys), attentionText (every reason in words, with its count),
// otherAttentionText (the same without the working tree's changes),
// marks ([{kind, text, tooltip, color}], kinds "ahead", "behind", "stash", "conflict", "problem"),
// status ({value, icon, color, tooltip}: the working tree's label for the git status card and the
// cards, from "Clean" to "2 modified, 1 untracked", "No local changes", "Problem", "Bare", "part of x"),
// upstream, aheadBehindText, ahead, behind, stashes, stashText, staged, unstaged, untracked,
// conflicted, changesText, operation, operationText, lastCommit ({id, author, subject, when}
// or null), lastFetchedText, worktreeOf, partOf, partOfText, problem, problemText, problemAdvice,
// and the keys of syncActionsMap.
QVariantMap syncToVariantMap(const Project& project, const QDateTime& now, const QLocale& locale);
QVariantMap syncToVariantMap(const Project& project);

// The compact marks alone, as in the map.
QVariantList syncMarks(const Project& project);

// What the pull, push, fetch and browser actions may do, for their buttons and tooltips:
// canPull, pullReason, canPush, pushReason, canFetch, fetchReason (what the action does when
// allowed, why not otherwise), remoteWebUrl (the web page of the upstream's remote, else of
// "origin", else of the first remote that has one; "" when none) and actionsTooltipNote.
QVariantMap syncActionsMap(const Project& project);
// The remote location whose web page remoteWebUrl is; empty when no remote has one.
QString webRemoteUrl(const Project& project);
