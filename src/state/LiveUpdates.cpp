#include "state/LiveUpdates.h"

#include "discovery/ProjectScanner.h"
#include "discovery/WatchBudget.h"
#include "state/ProjectsViewModel.h"
#include "state/WhenFinished.h"

#include <QPromise>
#include <QUuid>

LiveUpdates::LiveUpdates(ProjectsViewModel& model, ProjectScanner& scanner, QObject* parent)
    : QObject(parent), m_model(model), m_scanner(scanner), m_watcher(scanner.gitService(), watchbudget::defaultBudget()) {
    m_walkPool.setMaxThreadCount(1);
    connect(&m_watcher, &RepositoryWatcher::repositoryChanged, this, &LiveUpdates::reread);
    connect(&m_watcher, &RepositoryWatcher::folderChanged, this, &LiveUpdates::rewalk);
    connect(&m_watcher, &RepositoryWatcher::watchesUpdated, this, &LiveUpdates::onWatchesUpdated);
    connect(&m_model, &ProjectsViewModel::projectsChanged, this, &LiveUpdates::followProjects);
    connect(&m_model, &ProjectsViewModel::refreshFinished, this, &LiveUpdates::onRefreshFinished);
}

LiveUpdates::~LiveUpdates() {
    m_stop->store(true);
    m_walkPool.waitForDone();
}

void LiveUpdates::scanApplied(const QByteArray& root, int maxDepth) {
    ++m_scans;
    const QList<WatchTarget> targets = watchplan::byRecentChange(m_model.projects());
    QHash<QByteArray, WatchTarget> known;
    for (const WatchTarget& target : targets) known.insert(target.path, target);
    m_sinceReread.start();
    // The same projects as watched already (the scan after a start from stored results): the
    // watches stay.
    if (root == m_root && maxDepth == m_maxDepth && known == m_known && m_watcher.plannedBudget() == m_watcher.budget())
        return;
    m_root = root;
    m_maxDepth = maxDepth;
    m_known = std::move(known);
    m_fresh.clear();
    m_watcher.watch(root, maxDepth, targets);
    emit liveStatesChanged();
}

bool LiveUpdates::watchedLive(const QByteArray& path) const {
    return m_watcher.liveState(path) != RepositoryWatcher::Live::notLive;
}

void LiveUpdates::followProjects() {
    if (m_root.isEmpty()) return;
    QHash<QByteArray, WatchTarget> now;
    QList<WatchTarget> added;
    for (const Project& project : m_model.projects()) {
        const WatchTarget target = WatchTarget::of(project);
        now.insert(target.path, target);
        if (m_known.value(target.path) != target) {
            added.append(target);
            m_fresh.insert(target.path);
        }
    }
    QList<QByteArray> gone;
    for (auto it = m_known.cbegin(); it != m_known.cend(); ++it) {
        if (!now.contains(it.key())) gone.append(it.key());
    }
    m_known = std::move(now);
    if (!gone.isEmpty()) m_watcher.remove(gone);
    if (!added.isEmpty()) m_watcher.add(added);
    if (!gone.isEmpty() || !added.isEmpty()) emit liveStatesChanged();
}

void LiveUpdates::onWatchesUpdated() {
    for (auto it = m_fresh.begin(); it != m_fresh.end();) {
        if (m_watcher.liveState(*it) == RepositoryWatcher::Live::pending) {
            ++it;
            continue;
        }
        const QByteArray path = *it;
        it = m_fresh.erase(it);
        reread(path);
    }
    emit liveStatesChanged();
}

void LiveUpdates::reread(const QByteArray& path) {
    if (m_busy.contains(path)) {
        // Read again once the running read is applied: it may have begun before the change.
        m_again.insert(path);
        return;
    }
    const QList<Project>& projects = m_model.projects();
    const auto it = std::find_if(projects.cbegin(), projects.cend(), [&path](const Project& p) { return p.path == path; });
    if (it == projects.cend()) return;
    m_busy.insert(path);
    m_refreshIds.insert(it->id.toString(QUuid::WithoutBraces), path);
    ++m_rereads;
    m_model.refreshProject(*it);
}

void LiveUpdates::onRefreshFinished(const QString& id) {
    const QByteArray path = m_refreshIds.take(id);
    if (path.isEmpty()) return;
    m_busy.remove(path);
    if (m_again.remove(path)) reread(path);
    checkSettled();
}

void LiveUpdates::rewalk(const QByteArray& folder) {
    if (m_root.isEmpty() || !watchplan::isWithin(folder, m_root)) return;
    const int depth = folder == m_root ? 0 : int(folder.mid(m_root.size()).count('/'));
    if (depth <= m_maxDepth) readFolder(folder, m_maxDepth - depth, true);
}

void LiveUpdates::readFolder(const QByteArray& folder, int depth, bool removeGone) {
    ++m_walks;
    const quint64 scans = m_scans;
    whenFinished(this, m_scanner.scanProjects(folder, depth, m_root),
                 [this, folder, scans, removeGone](const QFuture<QList<Project>>& future) {
        --m_walks;
        if (scans == m_scans) {
            const QList<Project> found = future.resultCount() > 0 ? future.result() : QList<Project>();
            QList<QByteArray> known, foundPaths;
            for (const Project& p : m_model.projects()) known.append(p.path);
            for (const Project& p : found) foundPaths.append(p.path);
            m_model.applyProjectChanges(found, removeGone ? watchplan::goneUnder(folder, known, foundPaths) : QList<QByteArray>());
        }
        checkSettled();
    });
}

void LiveUpdates::walkRoot() {
    if (m_root.isEmpty()) return;
    ++m_walks;
    auto promise = std::make_shared<QPromise<QList<QByteArray>>>();
    QFuture<QList<QByteArray>> future = promise->future();
    promise->start();
    m_walkPool.start([promise, root = m_root, depth = m_maxDepth, stop = m_stop] {
        promise->addResult(watchplan::markedFolders(root, depth, stop.get()));
        promise->finish();
    });
    const quint64 scans = m_scans;
    whenFinished(this, future, [this, scans](const QFuture<QList<QByteArray>>& done) {
        --m_walks;
        if (scans == m_scans && done.resultCount() > 0) {
            const QList<QByteArray> marked = done.result();
            const QSet<QByteArray> markedSet(marked.cbegin(), marked.cend());
            // Folders that may hold a new project are read; projects whose folder lost its
            // markers (or is gone) are read again, which removes them.
            for (const QByteArray& folder : marked) {
                if (!m_known.contains(folder)) readFolder(folder, 0, false);
            }
            for (const QByteArray& path : m_known.keys()) {
                if (!markedSet.contains(path)) reread(path);
            }
        }
        checkSettled();
    });
}

void LiveUpdates::activated() {
    if (m_root.isEmpty() || (m_sinceReread.isValid() && m_sinceReread.elapsed() < m_activationInterval.count())) return;
    m_sinceReread.start();
    for (const Project& project : m_model.projects()) {
        if (m_watcher.liveState(project.path) == RepositoryWatcher::Live::notLive) reread(project.path);
    }
    if (!m_watcher.rootWatched()) walkRoot();
}

void LiveUpdates::checkSettled() {
    if (!busy()) emit settled();
}
