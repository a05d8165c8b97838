#pragma once

#include "discovery/GitService.h"
#include "model/Project.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QVariantList>
#include <atomic>
#include <functional>
#include <memory>

// Pull, push and fetch of many projects at once on a pool of workers, with progress, a stop
// and a summary of how each went; also runs the single-project pulls and pushes. Lives on the
// main thread and reports there. One batch at a time.
class BulkGitActions : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY stateChanged)
    // "pull", "push" or "fetch": the running batch's action, or the last one's.
    Q_PROPERTY(QString action READ actionKey NOTIFY stateChanged)
    Q_PROPERTY(int done READ done NOTIFY stateChanged)
    Q_PROPERTY(int total READ total NOTIFY stateChanged)
    // "Pulling 3 of 12"; empty when idle.
    Q_PROPERTY(QString progressText READ progressText NOTIFY stateChanged)
    // After a batch: "7 pulled, 2 skipped: local changes, 1 failed: <reason>"; empty before the
    // first and after dismissSummary().
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY stateChanged)
    // The last batch's projects: [{id, path, name, result, reason}], result a SyncResult key.
    Q_PROPERTY(QVariantList results READ results NOTIFY stateChanged)

public:
    enum class Action { pull, push, fetch };
    static constexpr int kParallel = 4;

    explicit BulkGitActions(GitService& git = GitService::shared(), QObject* parent = nullptr);
    ~BulkGitActions() override;

    bool isRunning() const { return m_running; }
    QString actionKey() const;
    int done() const { return m_done; }
    int total() const { return int(m_batch.size()); }
    QString progressText() const;
    QString summaryText() const { return m_summary; }
    QVariantList results() const;
    const QList<SyncOutcome>& outcomes() const { return m_outcomes; }

    // The projects a batch of `action` acts on: pull, every branch that a fetch could
    // fast-forward; push, every branch ahead of its upstream; fetch, every repository with a remote.
    static QList<Project> candidates(Action action, const QList<Project>& projects);
    // Starts a batch over the candidates among `projects`; false when one runs or there are none.
    bool start(Action action, const QList<Project>& projects);
    // Kills the git runs under way; the projects not yet begun end as stopped.
    Q_INVOKABLE void stop();
    Q_INVOKABLE void dismissSummary();
    // Shows the outcomes of a batch run elsewhere (Fetch All) as this object's summary.
    void report(Action action, const QList<Project>& projects, const QList<SyncOutcome>& outcomes);
    // Pulls or pushes one project on the pool; `done` runs on the main thread (not after this
    // object is gone).
    void runOne(Action action, const Project& project, std::function<void(const SyncOutcome&)> done);

    // A fetch's result as the summaries count it.
    static SyncOutcome fetchOutcome(const FetchResult& fetched);
    // "7 pulled, 1 up to date, 2 skipped: local changes, 1 failed: <reason>".
    static QString summarize(Action action, const QList<SyncOutcome>& outcomes, bool stopped = false);

signals:
    void stateChanged();
    // A batch ended; `projects` are those it acted on.
    void finished(BulkGitActions::Action action, const QList<Project>& projects);

private:
    SyncOutcome runAction(Action action, const QByteArray& folder, const std::atomic<bool>* stop);
    void finishOne(quint64 batch, int index, const SyncOutcome& outcome);

    GitService& m_git;
    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
    Action m_action = Action::pull;
    bool m_running = false;
    bool m_stopped = false;
    quint64 m_batchNumber = 0;
    int m_done = 0;
    QList<Project> m_batch;
    QList<SyncOutcome> m_outcomes;
    QString m_summary;
};
