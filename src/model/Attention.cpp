#include "model/Attention.h"

QString attentionKey(AttentionReason reason) {
    switch (reason) {
    case AttentionReason::uncommitted: return QStringLiteral("uncommitted");
    case AttentionReason::unpushed: return QStringLiteral("unpushed");
    case AttentionReason::behind: return QStringLiteral("behind");
    case AttentionReason::noUpstream: return QStringLiteral("no-upstream");
    case AttentionReason::detached: return QStringLiteral("detached");
    case AttentionReason::stash: return QStringLiteral("stash");
    case AttentionReason::operation: return QStringLiteral("operation");
    case AttentionReason::problem: return QStringLiteral("problem");
    }
    return {};
}

QString attentionText(AttentionReason reason) {
    switch (reason) {
    case AttentionReason::uncommitted: return QStringLiteral("uncommitted changes");
    case AttentionReason::unpushed: return QStringLiteral("unpushed commits");
    case AttentionReason::behind: return QStringLiteral("behind upstream");
    case AttentionReason::noUpstream: return QStringLiteral("no upstream");
    case AttentionReason::detached: return QStringLiteral("detached HEAD");
    case AttentionReason::stash: return QStringLiteral("stashed changes");
    case AttentionReason::operation: return QStringLiteral("operation in progress");
    case AttentionReason::problem: return QStringLiteral("git problem");
    }
    return {};
}

QList<AttentionReason> attentionReasons(const Project& project) {
    QList<AttentionReason> reasons;
    if (!project.hasGit || !project.git) return reasons;
    const GitState& git = *project.git;
    if (project.hasUncommittedChanges) reasons.append(AttentionReason::uncommitted);
    if (git.ahead.value_or(0) > 0) reasons.append(AttentionReason::unpushed);
    if (git.behind.value_or(0) > 0) reasons.append(AttentionReason::behind);
    const bool trackingMissing = !git.upstream || git.upstreamGone();
    if (git.problem == GitProblem::none && !git.bare && !project.remotes.isEmpty() && trackingMissing &&
        !git.detached && git.commit) {
        reasons.append(AttentionReason::noUpstream);
    }
    if (git.problem == GitProblem::none && git.detached && git.commit && git.operation == GitOperation::none)
        reasons.append(AttentionReason::detached);
    if (git.stashes > 0) reasons.append(AttentionReason::stash);
    if (git.operation != GitOperation::none) reasons.append(AttentionReason::operation);
    if (git.problem != GitProblem::none) reasons.append(AttentionReason::problem);
    return reasons;
}

bool needsAttention(const Project& project) { return !attentionReasons(project).isEmpty(); }

QStringList attentionKeys(const Project& project) {
    QStringList keys;
    for (const AttentionReason r : attentionReasons(project)) keys.append(attentionKey(r));
    return keys;
}
