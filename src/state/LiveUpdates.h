#pragma once

#include "discovery/RepositoryWatcher.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <memory>

class ProjectScanner;
class ProjectsViewModel;

// Keeps the view model's projects in step with the disk between full scans: a change in a
// watched repository refreshes that project (ProjectsViewModel::refreshProject, which patches
// every view in place), an entry made or removed in a root folder walks that folder again and
// adds or removes its projects, and the projects that come or go are watched or no longer.
// What the budget leaves unwatched is read again when the window is activated.
class LiveUpdates : public QObject {
    Q_OBJECT

public:
    LiveUpdates(ProjectsViewModel& model, ProjectScanner& scanner, QObject* parent = nullptr);
    ~LiveUpdates() override;

    RepositoryWatcher& watcher() { return m_watcher; }
    const RepositoryWatcher& watcher() const { return m_watcher; }

    // A full scan of `root` (or its stored results) has just replaced the projects: watch them
    // all anew, unless they are the projects watched already.
    void scanApplied(const QByteArray& root, int maxDepth);
    // Whether the project's changes show by themselves (true while its watches are planned).
    bool watchedLive(const QByteArray& path) const;
    // The window became active: once more than the interval has passed since the last time
    // (or the last full scan), re-reads every project not watched live, and walks the root
    // again when its folders are not all watched.
    void activated();
    void setActivationInterval(std::chrono::milliseconds interval) { m_activationInterval = interval; }
    // Re-reads started by this object since it was made.
    int rereadCount() const { return m_rereads; }
    bool busy() const { return !m_busy.isEmpty() || m_walks > 0; }

signals:
    // watchedLive may answer differently for some projects.
    void liveStatesChanged();
    // Every re-read and walk asked for so far has been applied.
    void settled();

private:
    void followProjects();
    void reread(const QByteArray& path);
    void onRefreshFinished(const QString& id);
    void rewalk(const QByteArray& folder);
    // Scans `folder` to `depth` and puts its projects in; with `removeGone`, the projects below
    // it that the scan no longer finds leave.
    void readFolder(const QByteArray& folder, int depth, bool removeGone);
    void walkRoot();
    void onWatchesUpdated();
    void checkSettled();

    ProjectsViewModel& m_model;
    ProjectScanner& m_scanner;
    RepositoryWatcher m_watcher;
    QByteArray m_root;
    int m_maxDepth = 0;
    // The projects handed to the watcher, by folder.
    QHash<QByteArray, WatchTarget> m_known;
    // Projects new since the last full scan: read once more when their watches are in place,
    // so that nothing changed before then is missed (a clone still being written).
    QSet<QByteArray> m_fresh;
    QSet<QByteArray> m_busy;
    QSet<QByteArray> m_again;
    QHash<QString, QByteArray> m_refreshIds;
    int m_walks = 0;
    int m_rereads = 0;
    quint64 m_scans = 0;
    QElapsedTimer m_sinceReread;
    std::chrono::milliseconds m_activationInterval{60000};
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
    QThreadPool m_walkPool;
};
