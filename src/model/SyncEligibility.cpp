#include "model/SyncEligibility.h"

#include "model/SyncText.h"

namespace {

SyncEligibility no(const QString& reason, const char* category) { return {false, reason, QLatin1String(category)}; }
SyncEligibility yes(const QString& reason) { return {true, reason, {}}; }

QString commits(int n) { return synctext::countWords(n, QStringLiteral("commit"), QStringLiteral("commits")); }

// What stops both pull and push before the counts are looked at.
std::optional<SyncEligibility> commonRefusal(const GitState& s) {
    if (s.problem != GitProblem::none)
        return no(QStringLiteral("Git could not read this repository: ") + gitProblemText(s.problem), "problem");
    if (s.bare) return no(QStringLiteral("A bare repository has no working tree"), "bare");
    if (s.operation != GitOperation::none) {
        QString text = synctext::operationText(s.operation);
        if (!text.isEmpty()) text[0] = text[0].toUpper();
        return no(text + QStringLiteral(": finish it in a terminal first"), "operation in progress");
    }
    if (s.detached) return no(QStringLiteral("HEAD is not on a branch (detached)"), "detached HEAD");
    if (!s.commit) return no(QStringLiteral("No commits yet"), "no commits");
    if (!s.upstream) return no(QStringLiteral("The branch has no upstream"), "no upstream");
    if (s.upstreamGone()) return no(QStringLiteral("The upstream %1 is gone").arg(*s.upstream), "upstream gone");
    return std::nullopt;
}

std::optional<SyncEligibility> projectRefusal(const Project& project) {
    if (!project.hasGit || !project.git) {
        if (project.repository) return no(QStringLiteral("Part of another repository: act on that one"), "part of another");
        return no(QStringLiteral("Not a git repository"), "not a repository");
    }
    return std::nullopt;
}

} // namespace

SyncEligibility pullEligibility(const GitState& s, bool requireBehind) {
    if (auto refusal = commonRefusal(s)) return *refusal;
    const int ahead = s.ahead.value_or(0);
    const int behind = s.behind.value_or(0);
    if (ahead > 0 && behind > 0)
        return no(QStringLiteral("Diverged from %1 (%2 ahead, %3 behind): merge or rebase in a terminal")
                      .arg(*s.upstream)
                      .arg(ahead)
                      .arg(behind),
                  "diverged");
    if (ahead > 0) return no(QStringLiteral("Nothing to pull: %1 to push").arg(commits(ahead)), "commits to push");
    if (behind == 0) {
        if (requireBehind) return no(QStringLiteral("Up to date with %1").arg(*s.upstream), "up to date");
        return yes(QStringLiteral("Fetch and fast-forward to %1").arg(*s.upstream));
    }
    return yes(QStringLiteral("Fast-forward to %1 (%2)").arg(*s.upstream, commits(behind)));
}

SyncEligibility pushEligibility(const GitState& s) {
    if (auto refusal = commonRefusal(s)) return *refusal;
    const int ahead = s.ahead.value_or(0);
    const int behind = s.behind.value_or(0);
    if (behind > 0)
        return no(QStringLiteral("Behind %1 by %2: pull first").arg(*s.upstream, commits(behind)), "behind upstream");
    if (ahead == 0) return no(QStringLiteral("Nothing to push to %1").arg(*s.upstream), "nothing to push");
    return yes(QStringLiteral("Push %1 to %2").arg(commits(ahead), *s.upstream));
}

SyncEligibility pullEligibility(const Project& project, bool requireBehind) {
    if (auto refusal = projectRefusal(project)) return *refusal;
    return pullEligibility(*project.git, requireBehind);
}

SyncEligibility pushEligibility(const Project& project) {
    if (auto refusal = projectRefusal(project)) return *refusal;
    return pushEligibility(*project.git);
}

SyncEligibility fetchEligibility(const Project& project) {
    if (auto refusal = projectRefusal(project)) return *refusal;
    if (project.git->problem != GitProblem::none)
        return no(QStringLiteral("Git could not read this repository: ") + gitProblemText(project.git->problem), "problem");
    if (project.remotes.isEmpty()) return no(QStringLiteral("No remote to fetch from"), "no remote");
    return yes(project.remotes.size() == 1 ? QStringLiteral("Fetch from %1").arg(project.remotes.first().name)
                                           : QStringLiteral("Fetch from all %1 remotes").arg(project.remotes.size()));
}

QString syncActionsNote() {
    return QStringLiteral("Hooks, filters and ssh commands set by the repository do not run from here");
}
