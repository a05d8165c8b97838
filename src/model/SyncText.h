#pragma once

#include "model/Project.h"

#include <QString>
#include <QStringList>

// Texts that describe a repository's sync state, shared by the command line and the window.
namespace synctext {

// The marks of the compact form: ahead, behind, stash, conflicts.
inline constexpr char16_t kAheadMark[] = u"↑";
inline constexpr char16_t kBehindMark[] = u"↓";
inline constexpr char16_t kStashMark[] = u"⚑";
inline constexpr char16_t kConflictMark[] = u"✖";

// The branch as shown: the branch name; "detached at 1a2b3c4" for a detached HEAD; empty
// when git gave no branch (absent, or a problem kept it from answering).
QString branchText(const Project& project);

// "↑2 ↓1 ⚑ ✖3": the marks that apply, separated by spaces; empty when none does.
QString marks(const Project& project);

// The SYNC column: the problem in words, else the marks followed by what is missing
// ("no upstream", "upstream gone", "detached", "rebase in progress"); "up to date" when nothing applies
// and an upstream is set, "local" for a repository without remotes, "bare" for a bare
// repository; empty without git.
QString syncSummary(const Project& project);

// "part of <folder name>" for a project inside another repository's work tree; empty otherwise.
QString partOfText(const Project& project);

// "2 commits to push, 1 commit to pull", "up to date"; empty without an upstream to compare.
QString aheadBehindWords(const GitState& state);

// The working tree's changes by count: "2 modified, 1 untracked" (the staged, modified, untracked
// and conflicted entries that are not zero); "changes" when git reported changes it did not count;
// "clean" when there are none; "unknown" when git could not tell; empty without a repository of
// the project's own or for a bare repository. The command line and every view take this one text.
QString changesText(const Project& project);

// The working tree's state as the views label it: "No Git", "Problem", "Bare", the changes by count
// ("1 untracked"), "No local changes" for a clean tree of a repository that needs attention for
// other reasons (never the reassuring "Clean"), and "Clean".
QString workingTreeLabel(const Project& project);

// Every reason the project needs attention, each in words with its count: "1 modified",
// "2 commits to push", "1 commit to pull", "no upstream" or "upstream gone", "detached HEAD",
// "1 stash", "rebase in progress", the problem. Empty when it needs none.
QStringList attentionPhrases(const Project& project);

// "1 stash", "3 stashes".
QString countWords(int count, const QString& one, const QString& many);

// What the user can do about the problem; empty for none.
QString problemAdvice(const GitState& state, const QString& repositoryPath);

// "merge in progress", "rebase in progress", ...; empty for none.
QString operationText(GitOperation operation);

} // namespace synctext
