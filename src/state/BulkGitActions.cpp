#include "state/BulkGitActions.h"

#include "model/SyncEligibility.h"

#include <QCoreApplication>
#include <QMap>
#include <QPointer>

namespace {

QString pastTense(BulkGitActions::Action action) {
    switch (action) {
    case BulkGitActions::Action::pull: return QStringLiteral("pulled");
    case BulkGitActions::Action::push: return QStringLiteral("pushed");
    case BulkGitActions::Action::fetch: return QStringLiteral("fetched");
    }
    return {};
}

// "local changes" for one reason, "local changes (2), diverged (1)" for several.
QString reasons(const QMap<QString, int>& counts) {
    if (counts.size() == 1) return counts.firstKey();
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) parts.append(QStringLiteral("%1 (%2)").arg(it.key()).arg(it.value()));
    return parts.join(QStringLiteral(", "));
}

} // namespace

BulkGitActions::BulkGitActions(GitService& git, QObject* parent) : QObject(parent), m_git(git) {
    m_pool.setMaxThreadCount(kParallel);
    m_pool.setObjectName(QStringLiteral("BulkGitActions"));
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { m_stop->store(true); });
}

BulkGitActions::~BulkGitActions() {
    m_stop->store(true);
    m_pool.waitForDone();
}

QString BulkGitActions::actionKey() const {
    switch (m_action) {
    case Action::pull: return QStringLiteral("pull");
    case Action::push: return QStringLiteral("push");
    case Action::fetch: return QStringLiteral("fetch");
    }
    return {};
}

QString BulkGitActions::progressText() const {
    if (!m_running) return {};
    static const char* verbs[] = {"Pulling", "Pushing", "Fetching"};
    return QStringLiteral("%1 %2 of %3").arg(QLatin1String(verbs[int(m_action)])).arg(m_done).arg(m_batch.size());
}

QVariantList BulkGitActions::results() const {
    QVariantList list;
    for (qsizetype i = 0; i < m_batch.size() && i < m_outcomes.size(); ++i) {
        list.append(QVariantMap{{QStringLiteral("id"), m_batch[i].id.toString(QUuid::WithoutBraces)},
                                {QStringLiteral("path"), m_batch[i].pathText()},
                                {QStringLiteral("name"), m_batch[i].name},
                                {QStringLiteral("result"), syncResultKey(m_outcomes[i].result)},
                                {QStringLiteral("reason"), m_outcomes[i].reason}});
    }
    return list;
}

QList<Project> BulkGitActions::candidates(Action action, const QList<Project>& projects) {
    QList<Project> out;
    for (const Project& p : projects) {
        const bool take = action == Action::pull   ? pullEligibility(p, false).allowed
                          : action == Action::push ? pushEligibility(p).allowed
                                                   : fetchEligibility(p).allowed;
        if (take) out.append(p);
    }
    return out;
}

SyncOutcome BulkGitActions::runAction(Action action, const QByteArray& folder, const std::atomic<bool>* stop) {
    if (stop->load()) return {SyncResult::failed, QStringLiteral("Stopped"), QStringLiteral("stopped")};
    switch (action) {
    case Action::pull: return m_git.pull(folder, stop);
    case Action::push: return m_git.push(folder, stop);
    case Action::fetch: break;
    }
    const FetchResult fetched = m_git.fetch(folder, stop);
    if (!fetched.succeeded() && stop->load()) return {SyncResult::failed, QStringLiteral("Stopped"), QStringLiteral("stopped")};
    return fetchOutcome(fetched);
}

SyncOutcome BulkGitActions::fetchOutcome(const FetchResult& fetched) {
    if (fetched.succeeded()) return {SyncResult::fetched, QStringLiteral("Fetched"), {}};
    const QString why = fetched.detail.isEmpty() ? gitProblemText(fetched.problem) : gitsync::withoutSecrets(fetched.detail);
    return {SyncResult::failed, QStringLiteral("Fetch failed: ") + why, gitProblemText(fetched.problem)};
}

bool BulkGitActions::start(Action action, const QList<Project>& projects) {
    if (m_running) return false;
    const QList<Project> batch = candidates(action, projects);
    if (batch.isEmpty()) return false;
    m_action = action;
    m_running = true;
    m_stopped = false;
    m_done = 0;
    m_batch = batch;
    m_outcomes = QList<SyncOutcome>(batch.size(), SyncOutcome{SyncResult::failed, QStringLiteral("Stopped"), QStringLiteral("stopped")});
    m_summary.clear();
    const quint64 number = ++m_batchNumber;
    emit stateChanged();
    QPointer<BulkGitActions> self(this);
    for (int i = 0; i < batch.size(); ++i) {
        m_pool.start([this, self, number, i, action, folder = batch[i].path, stop = m_stop] {
            const SyncOutcome outcome = runAction(action, folder, stop.get());
            QMetaObject::invokeMethod(
                self, [self, number, i, outcome] { if (self) self->finishOne(number, i, outcome); }, Qt::QueuedConnection);
        });
    }
    return true;
}

void BulkGitActions::finishOne(quint64 batch, int index, const SyncOutcome& outcome) {
    if (batch != m_batchNumber || !m_running) return;
    m_outcomes[index] = outcome;
    if (++m_done < m_batch.size()) {
        emit stateChanged();
        return;
    }
    m_running = false;
    m_summary = summarize(m_action, m_outcomes, m_stopped);
    // The next batch gets a fresh flag; a stop of this one must not reach it.
    m_stop = std::make_shared<std::atomic<bool>>(false);
    emit stateChanged();
    emit finished(m_action, m_batch);
}

void BulkGitActions::stop() {
    if (!m_running) return;
    m_stopped = true;
    m_stop->store(true);
}

void BulkGitActions::dismissSummary() {
    if (m_summary.isEmpty()) return;
    m_summary.clear();
    emit stateChanged();
}

void BulkGitActions::report(Action action, const QList<Project>& projects, const QList<SyncOutcome>& outcomes) {
    if (m_running) return;
    m_action = action;
    m_batch = projects;
    m_outcomes = outcomes;
    m_done = int(projects.size());
    m_summary = summarize(action, outcomes);
    emit stateChanged();
}

void BulkGitActions::runOne(Action action, const Project& project, std::function<void(const SyncOutcome&)> done) {
    QPointer<BulkGitActions> self(this);
    m_pool.start([this, self, action, folder = project.path, stop = m_stop, done = std::move(done)] {
        const SyncOutcome outcome = runAction(action, folder, stop.get());
        QMetaObject::invokeMethod(
            self, [self, outcome, done] { if (self) done(outcome); }, Qt::QueuedConnection);
    });
}

QString BulkGitActions::summarize(Action action, const QList<SyncOutcome>& outcomes, bool stopped) {
    int acted = 0, upToDate = 0;
    QMap<QString, int> skipped, failed;
    int skippedCount = 0, failedCount = 0;
    QString onlyFailure;
    for (const SyncOutcome& o : outcomes) {
        switch (o.result) {
        case SyncResult::pulled:
        case SyncResult::pushed:
        case SyncResult::fetched: ++acted; break;
        case SyncResult::upToDate: ++upToDate; break;
        case SyncResult::skipped:
            ++skippedCount;
            ++skipped[o.category.isEmpty() ? QStringLiteral("other") : o.category];
            break;
        case SyncResult::failed:
            ++failedCount;
            ++failed[o.category.isEmpty() ? QStringLiteral("failed") : o.category];
            onlyFailure = failedCount == 1 ? o.reason : QString();
            break;
        }
    }
    QStringList parts;
    if (acted > 0 || (upToDate == 0 && skippedCount == 0 && failedCount == 0))
        parts.append(QStringLiteral("%1 %2").arg(acted).arg(pastTense(action)));
    if (upToDate > 0) parts.append(QStringLiteral("%1 up to date").arg(upToDate));
    if (skippedCount > 0) parts.append(QStringLiteral("%1 skipped: %2").arg(skippedCount).arg(reasons(skipped)));
    if (failedCount == 1) parts.append(QStringLiteral("1 failed: ") + onlyFailure);
    else if (failedCount > 1) parts.append(QStringLiteral("%1 failed: %2").arg(failedCount).arg(reasons(failed)));
    const QString text = parts.join(QStringLiteral(", "));
    return stopped ? QStringLiteral("Stopped. ") + text : text;
}
