#pragma once

#include "model/Project.h"

#include <QDateTime>
#include <QLocale>
#include <QVariantList>
#include <QVariantMap>

// The sync state of a project as the views read it, every text composed here.
// Keys: hasState, branchText, summary, needsAttention, attention (keys), attentionText,
// marks ([{kind, text, tooltip}], kinds "ahead", "behind", "stash", "conflict", "problem"),
// upstream, aheadBehindText, ahead, behind, stashes, stashText, staged, unstaged, untracked,
// conflicted, changesText, operation, operationText, lastCommit ({id, author, subject, when}
// or null), lastFetchedText, worktreeOf, partOf, partOfText, problem, problemText, problemAdvice.
QVariantMap syncToVariantMap(const Project& project, const QDateTime& now, const QLocale& locale);
QVariantMap syncToVariantMap(const Project& project);

// The compact marks alone, as in the map.
QVariantList syncMarks(const Project& project);
