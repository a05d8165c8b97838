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
// ("no upstream", "upstream gone", "rebase in progress"); "up to date" when nothing applies
// and an upstream is set, "local" for a repository without remotes, "bare" for a bare
// repository; empty without git.
QString syncSummary(const Project& project);

// "part of <folder name>" for a project inside another repository's work tree; empty otherwise.
QString partOfText(const Project& project);

// "2 commits to push, 1 commit to pull", "up to date"; empty without an upstream to compare.
QString aheadBehindWords(const GitState& state);

// "1 stash", "3 stashes".
QString countWords(int count, const QString& one, const QString& many);

// What the user can do about the problem; empty for none.
QString problemAdvice(const GitState& state, const QString& repositoryPath);

// "merge in progress", "rebase in progress", ...; empty for none.
QString operationText(GitOperation operation);

} // namespace synctext
