#pragma once

#include <QString>

// Why git could not tell a repository's state. `none` when every run answered.
enum class GitProblem { none, timeout, gitMissing, dubiousOwnership, notARepository, failed };

// The stable key used in machine-readable output: "timeout", "git-missing",
// "dubious-ownership", "not-a-repository", "failed"; empty for none.
QString gitProblemKey(GitProblem problem);
// A short phrase for people: "timed out", "git not found", "not trusted by git",
// "not a repository", "git failed"; empty for none.
QString gitProblemText(GitProblem problem);
