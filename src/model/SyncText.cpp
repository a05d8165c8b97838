#include "model/SyncText.h"

#include "model/Attention.h"

namespace synctext {

QString branchText(const Project& project) {
    if (!project.gitBranch) return {};
    if (!project.gitBranch->isEmpty()) return *project.gitBranch;
    if (!project.git || project.git->problem != GitProblem::none) return {};
    if (project.git->detached && project.git->commit)
        return QStringLiteral("detached at %1").arg(project.git->commit->left(7));
    return QStringLiteral("detached");
}

QString marks(const Project& project) {
    if (!project.git) return {};
    const GitState& s = *project.git;
    QStringList parts;
    if (s.ahead.value_or(0) > 0) parts.append(QString::fromUtf16(kAheadMark) + QString::number(*s.ahead));
    if (s.behind.value_or(0) > 0) parts.append(QString::fromUtf16(kBehindMark) + QString::number(*s.behind));
    if (s.stashes == 1) parts.append(QString::fromUtf16(kStashMark));
    else if (s.stashes > 1) parts.append(QString::fromUtf16(kStashMark) + QString::number(s.stashes));
    if (s.conflicted > 0) parts.append(QString::fromUtf16(kConflictMark) + QString::number(s.conflicted));
    return parts.join(QLatin1Char(' '));
}

QString operationText(GitOperation operation) {
    if (operation == GitOperation::none) return {};
    return QStringLiteral("%1 in progress").arg(gitOperationKey(operation));
}

QString syncSummary(const Project& project) {
    if (!project.hasGit || !project.git) return {};
    const GitState& s = *project.git;
    if (s.problem != GitProblem::none) return gitProblemText(s.problem);
    if (s.bare) return QStringLiteral("bare");
    QStringList parts;
    if (const QString m = marks(project); !m.isEmpty()) parts.append(m);
    if (s.upstreamGone()) parts.append(QStringLiteral("upstream gone"));
    else if (!s.upstream && !project.remotes.isEmpty() && !s.detached && s.commit) parts.append(QStringLiteral("no upstream"));
    if (s.operation != GitOperation::none) parts.append(operationText(s.operation));
    else if (s.detached && s.commit) parts.append(QStringLiteral("detached"));
    if (parts.isEmpty()) {
        if (s.upstream) return QStringLiteral("up to date");
        if (project.remotes.isEmpty()) return QStringLiteral("local");
    }
    return parts.join(QLatin1Char(' '));
}

QString partOfText(const Project& project) {
    if (project.hasGit || !project.repository) return {};
    const QByteArray& path = *project.repository;
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = slash >= 0 && slash + 1 < path.size() ? path.mid(slash + 1) : path;
    return QStringLiteral("part of %1").arg(QString::fromUtf8(name));
}

QString countWords(int count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QString changesText(const Project& project) {
    // A bare repository has no working tree to count.
    if (!project.hasGit || (project.git && project.git->bare)) return {};
    if (project.git && project.git->problem != GitProblem::none) return QStringLiteral("unknown");
    if (!project.hasUncommittedChanges) return QStringLiteral("clean");
    if (!project.git) return QStringLiteral("changes");
    const GitState& s = *project.git;
    QStringList parts;
    const std::pair<int, const char*> counts[] = {
        {s.staged, "staged"}, {s.unstaged, "modified"}, {s.untracked, "untracked"}, {s.conflicted, "conflicted"}};
    for (const auto& [count, word] : counts) {
        if (count > 0) parts.append(QStringLiteral("%1 %2").arg(count).arg(QLatin1String(word)));
    }
    return parts.isEmpty() ? QStringLiteral("changes") : parts.join(QStringLiteral(", "));
}

QString workingTreeLabel(const Project& project) {
    if (!project.hasGit) return QStringLiteral("No Git");
    if (project.git && project.git->problem != GitProblem::none) return QStringLiteral("Problem");
    if (project.git && project.git->bare) return QStringLiteral("Bare");
    if (project.hasUncommittedChanges) {
        const QString counts = changesText(project);
        return counts.left(1).toUpper() + counts.mid(1);
    }
    return needsAttention(project) ? QStringLiteral("No local changes") : QStringLiteral("Clean");
}

QStringList attentionPhrases(const Project& project) {
    QStringList phrases;
    const GitState s = project.git.value_or(GitState{});
    const QString commit = QStringLiteral("commit"), commits = QStringLiteral("commits");
    for (const AttentionReason reason : attentionReasons(project)) {
        switch (reason) {
        case AttentionReason::uncommitted: phrases.append(changesText(project)); break;
        case AttentionReason::unpushed: phrases.append(countWords(s.ahead.value_or(0), commit, commits) + QStringLiteral(" to push")); break;
        case AttentionReason::behind: phrases.append(countWords(s.behind.value_or(0), commit, commits) + QStringLiteral(" to pull")); break;
        case AttentionReason::noUpstream:
            phrases.append(s.upstreamGone() ? QStringLiteral("upstream gone") : QStringLiteral("no upstream"));
            break;
        case AttentionReason::stash: phrases.append(countWords(s.stashes, QStringLiteral("stash"), QStringLiteral("stashes"))); break;
        case AttentionReason::operation: phrases.append(operationText(s.operation)); break;
        case AttentionReason::problem: phrases.append(gitProblemText(s.problem)); break;
        case AttentionReason::detached: phrases.append(attentionText(reason)); break;
        }
    }
    return phrases;
}

QString aheadBehindWords(const GitState& state) {
    if (!state.ahead || !state.behind) return {};
    QStringList parts;
    if (*state.ahead > 0) parts.append(countWords(*state.ahead, QStringLiteral("commit"), QStringLiteral("commits")) + QStringLiteral(" to push"));
    if (*state.behind > 0) parts.append(countWords(*state.behind, QStringLiteral("commit"), QStringLiteral("commits")) + QStringLiteral(" to pull"));
    if (parts.isEmpty()) return QStringLiteral("up to date");
    return parts.join(QStringLiteral(", "));
}

QString problemAdvice(const GitState& state, const QString& repositoryPath) {
    switch (state.problem) {
    case GitProblem::none: return {};
    case GitProblem::timeout:
        return QStringLiteral("git did not answer in time. The repository may be very large or on a slow or "
                              "unreachable disk; refresh the project to try again.");
    case GitProblem::gitMissing:
        return QStringLiteral("The git program was not found. Install git so that /usr/bin/git exists.");
    case GitProblem::dubiousOwnership:
        return QStringLiteral("git does not trust this repository because another user owns it. If you trust it, "
                              "add it to git's safe.directory list: git config --global --add safe.directory '%1'")
            .arg(repositoryPath);
    case GitProblem::notARepository:
        return QStringLiteral("The \".git\" file or folder is damaged or points to a folder that no longer exists.");
    case GitProblem::failed:
        return state.problemDetail.isEmpty() ? QStringLiteral("git ended with an error.")
                                             : QStringLiteral("git reported: %1").arg(state.problemDetail);
    }
    return {};
}

} // namespace synctext
