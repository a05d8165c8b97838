#include "state/SyncMap.h"

#include "model/Attention.h"
#include "model/RelativeDateText.h"
#include "model/RemoteUrl.h"
#include "model/SyncEligibility.h"
#include "model/SyncText.h"

namespace {

QVariant orNull(const std::optional<QString>& text) { return text ? QVariant(*text) : QVariant::fromValue(nullptr); }
QVariant orNull(const std::optional<int>& n) { return n ? QVariant(*n) : QVariant::fromValue(nullptr); }
QVariant pathOrNull(const std::optional<QByteArray>& path) {
    return path ? QVariant(QString::fromUtf8(*path)) : QVariant::fromValue(nullptr);
}

// The colour of each mark kind, by the theme's colour names.
QString markColor(const QString& kind) {
    if (kind == QLatin1String("ahead")) return QStringLiteral("blue");
    if (kind == QLatin1String("behind")) return QStringLiteral("orange");
    if (kind == QLatin1String("stash")) return QStringLiteral("purple");
    return QStringLiteral("red");
}

QVariantMap mark(const QString& kind, const QString& text, const QString& tooltip) {
    return {{QStringLiteral("kind"), kind},
            {QStringLiteral("text"), text},
            {QStringLiteral("tooltip"), tooltip},
            {QStringLiteral("color"), markColor(kind)}};
}

QVariantMap status(const QString& value, const char* icon, const char* color, const QString& tooltip) {
    return {{QStringLiteral("value"), value},
            {QStringLiteral("icon"), QLatin1String(icon)},
            {QStringLiteral("color"), QLatin1String(color)},
            {QStringLiteral("tooltip"), tooltip}};
}

// What the git status labels of the detail pane and the cards show.
QVariantMap workingTreeStatus(const Project& project) {
    const QString label = synctext::workingTreeLabel(project);
    if (project.hasGit && project.git && project.git->problem != GitProblem::none)
        return status(label, "exclamationmark.triangle.fill", "red", gitProblemText(project.git->problem));
    if (project.hasGit && project.git && project.git->bare)
        return status(label, "externaldrive", "gray", QStringLiteral("A bare repository: no working tree, nothing to commit"));
    if (const QString partOf = synctext::partOfText(project); !partOf.isEmpty())
        return status(partOf, "link", "gray", QString::fromUtf8(*project.repository));
    if (!project.hasGit) return status(label, "checkmark.circle", "green", QString());
    if (project.hasUncommittedChanges)
        return status(label, "exclamationmark.circle", "orange", QStringLiteral("Uncommitted changes: ") + label);
    const QStringList reasons = synctext::attentionPhrases(project);
    if (!reasons.isEmpty())
        return status(label, "checkmark.circle", "gray", QStringLiteral("Needs attention: ") + reasons.join(QStringLiteral(", ")));
    return status(label, "checkmark.circle", "green", QString());
}

QString commits(int n) { return synctext::countWords(n, QStringLiteral("commit"), QStringLiteral("commits")); }

} // namespace

QVariantList syncMarks(const Project& project) {
    QVariantList marks;
    if (!project.hasGit || !project.git) return marks;
    const GitState& s = *project.git;
    if (s.problem != GitProblem::none) {
        marks.append(mark(QStringLiteral("problem"), QStringLiteral("!"),
                          gitProblemText(s.problem) + QStringLiteral(": ") + synctext::problemAdvice(s, project.pathText())));
        return marks;
    }
    if (s.ahead.value_or(0) > 0)
        marks.append(mark(QStringLiteral("ahead"), QString::fromUtf16(synctext::kAheadMark) + QString::number(*s.ahead),
                          commits(*s.ahead) + QStringLiteral(" to push")));
    if (s.behind.value_or(0) > 0)
        marks.append(mark(QStringLiteral("behind"),
                          QString::fromUtf16(synctext::kBehindMark) + QString::number(*s.behind),
                          commits(*s.behind) + QStringLiteral(" to pull")));
    if (s.stashes > 0)
        marks.append(mark(QStringLiteral("stash"),
                          QString::fromUtf16(synctext::kStashMark) + (s.stashes > 1 ? QString::number(s.stashes) : QString()),
                          synctext::countWords(s.stashes, QStringLiteral("stash"), QStringLiteral("stashes"))));
    if (s.conflicted > 0)
        marks.append(mark(QStringLiteral("conflict"),
                          QString::fromUtf16(synctext::kConflictMark) + QString::number(s.conflicted),
                          synctext::countWords(s.conflicted, QStringLiteral("conflicted file"),
                                               QStringLiteral("conflicted files"))));
    return marks;
}

QVariantMap syncToVariantMap(const Project& project) {
    return syncToVariantMap(project, QDateTime::currentDateTimeUtc(), QLocale::system());
}

QVariantMap syncToVariantMap(const Project& project, const QDateTime& now, const QLocale& locale) {
    QVariantMap map;
    const QStringList keys = attentionKeys(project);
    const QStringList reasonTexts = synctext::attentionPhrases(project);
    map[QStringLiteral("hasState")] = project.hasGit && project.git.has_value();
    map[QStringLiteral("branchText")] = synctext::branchText(project);
    map[QStringLiteral("summary")] = synctext::syncSummary(project);
    map[QStringLiteral("needsAttention")] = !keys.isEmpty();
    map[QStringLiteral("attention")] = keys;
    map[QStringLiteral("attentionText")] = reasonTexts.join(QStringLiteral(", "));
    // The reasons beside the working tree's changes, which the status label shows already.
    QStringList besides = reasonTexts;
    if (project.hasUncommittedChanges && !besides.isEmpty() && attentionReasons(project).first() == AttentionReason::uncommitted)
        besides.removeFirst();
    map[QStringLiteral("otherAttentionText")] = besides.join(QStringLiteral(", "));
    map[QStringLiteral("marks")] = syncMarks(project);
    map[QStringLiteral("partOf")] = pathOrNull(project.repository);
    map[QStringLiteral("partOfText")] = synctext::partOfText(project);
    map[QStringLiteral("status")] = workingTreeStatus(project);

    const GitState s = project.git.value_or(GitState{});
    map[QStringLiteral("upstream")] = orNull(s.upstream);
    map[QStringLiteral("aheadBehindText")] =
        s.upstreamGone() ? QStringLiteral("upstream gone") : synctext::aheadBehindWords(s);
    map[QStringLiteral("ahead")] = orNull(s.ahead);
    map[QStringLiteral("behind")] = orNull(s.behind);
    map[QStringLiteral("stashes")] = s.stashes;
    map[QStringLiteral("stashText")] =
        s.stashes > 0 ? synctext::countWords(s.stashes, QStringLiteral("stash"), QStringLiteral("stashes")) : QString();
    map[QStringLiteral("staged")] = s.staged;
    map[QStringLiteral("unstaged")] = s.unstaged;
    map[QStringLiteral("untracked")] = s.untracked;
    map[QStringLiteral("conflicted")] = s.conflicted;
    map[QStringLiteral("changesText")] = synctext::changesText(project);
    map[QStringLiteral("operation")] = gitOperationKey(s.operation);
    map[QStringLiteral("operationText")] = synctext::operationText(s.operation);
    if (s.lastCommit) {
        map[QStringLiteral("lastCommit")] = QVariantMap{
            {QStringLiteral("id"), s.lastCommit->id},
            {QStringLiteral("author"), s.lastCommit->author},
            {QStringLiteral("subject"), s.lastCommit->subject},
            {QStringLiteral("when"), project.lastModified ? relativeDateText(*project.lastModified, now, locale) : QString()},
        };
    } else {
        map[QStringLiteral("lastCommit")] = QVariant::fromValue(nullptr);
    }
    map[QStringLiteral("lastFetchedText")] =
        s.lastFetched ? relativeDateText(*s.lastFetched, now, locale) : QStringLiteral("never");
    map[QStringLiteral("worktreeOf")] = pathOrNull(s.worktreeOf);
    map[QStringLiteral("problem")] = gitProblemKey(s.problem);
    map[QStringLiteral("problemText")] = gitProblemText(s.problem);
    map[QStringLiteral("problemAdvice")] = synctext::problemAdvice(s, project.pathText());
    map.insert(syncActionsMap(project));
    return map;
}

QString webRemoteUrl(const Project& project) {
    QStringList order;
    if (project.git && project.git->upstream) {
        // The longest remote name that starts the upstream ("origin" of "origin/main").
        QString best;
        for (const GitRemote& remote : project.remotes) {
            if (project.git->upstream->startsWith(remote.name + u'/') && remote.name.size() > best.size()) best = remote.name;
        }
        if (!best.isEmpty()) order.append(best);
    }
    order.append(QStringLiteral("origin"));
    for (const QString& name : order) {
        for (const GitRemote& remote : project.remotes) {
            if (remote.name == name && !remoteWebUrl(remote.url).isEmpty()) return remote.url;
        }
    }
    for (const GitRemote& remote : project.remotes) {
        if (!remoteWebUrl(remote.url).isEmpty()) return remote.url;
    }
    return {};
}

QVariantMap syncActionsMap(const Project& project) {
    const SyncEligibility pull = pullEligibility(project);
    const SyncEligibility push = pushEligibility(project);
    const SyncEligibility fetch = fetchEligibility(project);
    return {{QStringLiteral("canPull"), pull.allowed},
            {QStringLiteral("pullReason"), pull.reason},
            {QStringLiteral("canPush"), push.allowed},
            {QStringLiteral("pushReason"), push.reason},
            {QStringLiteral("canFetch"), fetch.allowed},
            {QStringLiteral("fetchReason"), fetch.reason},
            {QStringLiteral("remoteWebUrl"), remoteWebUrl(webRemoteUrl(project))},
            {QStringLiteral("actionsTooltipNote"), syncActionsNote()}};
}
