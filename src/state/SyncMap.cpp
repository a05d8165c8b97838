#include "state/SyncMap.h"

#include "model/Attention.h"
#include "model/RelativeDateText.h"
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

// What the git status card shows instead of its usual value, or null.
QVariant statusOverride(const Project& project) {
    if (project.hasGit && project.git && project.git->problem != GitProblem::none) {
        return QVariantMap{{QStringLiteral("value"), QStringLiteral("Problem")},
                           {QStringLiteral("icon"), QStringLiteral("exclamationmark.triangle.fill")},
                           {QStringLiteral("color"), QStringLiteral("red")},
                           {QStringLiteral("tooltip"), gitProblemText(project.git->problem)}};
    }
    if (project.hasGit && project.git && project.git->bare) {
        return QVariantMap{{QStringLiteral("value"), QStringLiteral("Bare")},
                           {QStringLiteral("icon"), QStringLiteral("externaldrive")},
                           {QStringLiteral("color"), QStringLiteral("gray")},
                           {QStringLiteral("tooltip"), QStringLiteral("A bare repository: no working tree, nothing to commit")}};
    }
    if (const QString partOf = synctext::partOfText(project); !partOf.isEmpty()) {
        return QVariantMap{{QStringLiteral("value"), partOf},
                           {QStringLiteral("icon"), QStringLiteral("link")},
                           {QStringLiteral("color"), QStringLiteral("gray")},
                           {QStringLiteral("tooltip"), QString::fromUtf8(*project.repository)}};
    }
    return QVariant::fromValue(nullptr);
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
    QStringList reasonTexts;
    for (const AttentionReason r : attentionReasons(project)) reasonTexts.append(attentionText(r));
    map[QStringLiteral("hasState")] = project.hasGit && project.git.has_value();
    map[QStringLiteral("branchText")] = synctext::branchText(project);
    map[QStringLiteral("summary")] = synctext::syncSummary(project);
    map[QStringLiteral("needsAttention")] = !keys.isEmpty();
    map[QStringLiteral("attention")] = keys;
    map[QStringLiteral("attentionText")] = reasonTexts.join(QStringLiteral(", "));
    map[QStringLiteral("marks")] = syncMarks(project);
    map[QStringLiteral("partOf")] = pathOrNull(project.repository);
    map[QStringLiteral("partOfText")] = synctext::partOfText(project);
    map[QStringLiteral("statusOverride")] = statusOverride(project);

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
    // A bare repository has no working tree to count.
    map[QStringLiteral("changesText")] = s.bare ? QString()
                                                : QStringLiteral("%1 staged, %2 modified, %3 untracked, %4 conflicted")
                                                      .arg(s.staged).arg(s.unstaged).arg(s.untracked).arg(s.conflicted);
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
    return map;
}
