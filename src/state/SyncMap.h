#pragma once

#include "model/Project.h"

#include <QDateTime>
#include <QLocale>
#include <QVariantList>
#include <QVariantMap>

// The sync state of a project as the views read it, every text composed here.
// Keys: hasState, branchText, summary, needsAttention, attention (keys), attentionText,
// marks ([{kind, text, tooltip, color}], kinds "ahead", "behind", "stash", "conflict", "problem"),
// statusOverride ({value, icon, color, tooltip} for the git status card of a project git
// could not read ("Problem"), a bare repository ("Bare") or one inside another repository
// ("part of x"), else null), upstream, aheadBehindText, ahead, behind, stashes, stashText,
// staged, unstaged, untracked, conflicted, changesText (empty for a bare repository), operation,
// operationText, lastCommit ({id, author, subject, when} or null), lastFetchedText, worktreeOf, partOf, partOfText, problem, problemText, problemAdvice.
QVariantMap syncToVariantMap(const Project& project, const QDateTime& now, const QLocale& locale);
QVariantMap syncToVariantMap(const Project& project);

// The compact marks alone, as in the map.
QVariantList syncMarks(const Project& project);
