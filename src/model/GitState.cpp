#include "model/GitState.h"

#include <QHash>

QString gitOperationKey(GitOperation operation) {
    switch (operation) {
    case GitOperation::none: return {};
    case GitOperation::merge: return QStringLiteral("merge");
    case GitOperation::rebase: return QStringLiteral("rebase");
    case GitOperation::cherryPick: return QStringLiteral("cherry-pick");
    case GitOperation::revert: return QStringLiteral("revert");
    case GitOperation::bisect: return QStringLiteral("bisect");
    }
    return {};
}

size_t qHash(const GitState& s, size_t seed) noexcept {
    QtPrivate::QHashCombine combine;
    seed = combine(seed, s.bare);
    seed = combine(seed, s.commit.value_or(QString()));
    seed = combine(seed, s.detached);
    seed = combine(seed, s.upstream.value_or(QString()));
    seed = combine(seed, s.ahead.value_or(-1));
    seed = combine(seed, s.behind.value_or(-1));
    seed = combine(seed, s.stashes);
    seed = combine(seed, s.staged);
    seed = combine(seed, s.unstaged);
    seed = combine(seed, s.untracked);
    seed = combine(seed, s.conflicted);
    seed = combine(seed, int(s.operation));
    seed = combine(seed, s.worktreeOf.value_or(QByteArray()));
    if (s.lastCommit) seed = combine(seed, s.lastCommit->id);
    seed = combine(seed, s.lastFetched ? s.lastFetched->toMSecsSinceEpoch() : qint64(-1));
    seed = combine(seed, int(s.problem));
    seed = combine(seed, s.problemDetail);
    return seed;
}
