#include "model/GitProblem.h"

QString gitProblemKey(GitProblem problem) {
    switch (problem) {
    case GitProblem::none: return {};
    case GitProblem::timeout: return QStringLiteral("timeout");
    case GitProblem::gitMissing: return QStringLiteral("git-missing");
    case GitProblem::dubiousOwnership: return QStringLiteral("dubious-ownership");
    case GitProblem::notARepository: return QStringLiteral("not-a-repository");
    case GitProblem::failed: return QStringLiteral("failed");
    }
    return {};
}

QString gitProblemText(GitProblem problem) {
    switch (problem) {
    case GitProblem::none: return {};
    case GitProblem::timeout: return QStringLiteral("timed out");
    case GitProblem::gitMissing: return QStringLiteral("git not found");
    case GitProblem::dubiousOwnership: return QStringLiteral("not trusted by git");
    case GitProblem::notARepository: return QStringLiteral("not a repository");
    case GitProblem::failed: return QStringLiteral("git failed");
    }
    return {};
}
