#pragma once

#include "discovery/GitService.h"
#include "model/Project.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <memory>

// Runs "git fetch" for a set of projects off the main thread, several at a time, and reports
// progress on the main thread. One batch at a time: a request while a batch runs is ignored.
class ProjectFetcher : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isFetching READ isFetching NOTIFY stateChanged)
    Q_PROPERTY(int done READ done NOTIFY stateChanged)
    Q_PROPERTY(int total READ total NOTIFY stateChanged)
    // "Fetching 3 of 12", empty when idle.
    Q_PROPERTY(QString progressText READ progressText NOTIFY stateChanged)
    // One line per repository whose last fetch failed: "name: timed out".
    Q_PROPERTY(QStringList failures READ failures NOTIFY stateChanged)

public:
    static constexpr int kParallelFetches = 4;

    explicit ProjectFetcher(GitService& git = GitService::shared(), QObject* parent = nullptr);
    ~ProjectFetcher() override;

    bool isFetching() const { return m_fetching; }
    int done() const { return m_done; }
    int total() const { return m_total; }
    QString progressText() const;
    QStringList failures() const { return m_failures; }
    // The last batch's results, in the order of the projects `finished` gave.
    const QList<FetchResult>& lastResults() const { return m_results; }

    // The projects worth fetching: repositories git could read that have remotes.
    static QList<Project> fetchable(const QList<Project>& projects);

    // Starts fetching `projects` (the fetchable ones); false when a batch is already running
    // or nothing is fetchable. `finished` follows on the main thread.
    bool start(const QList<Project>& projects);
    // Kills the running fetches (they end as failures) and skips the rest of the batch.
    void cancel();

signals:
    void stateChanged();
    // The batch ended; `projects` are those that were fetched (successfully or not).
    void finished(const QList<Project>& projects);

private:
    void progress(int done, int total);
    void complete(const QList<Project>& projects, const QList<FetchResult>& results);

    GitService& m_git;
    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_cancel = std::make_shared<std::atomic<bool>>(false);
    bool m_fetching = false;
    int m_done = 0;
    int m_total = 0;
    QStringList m_failures;
    QList<FetchResult> m_results;
};
