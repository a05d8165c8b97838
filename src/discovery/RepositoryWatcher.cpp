#include "discovery/RepositoryWatcher.h"

#include "discovery/GitService.h"

#include <QMetaObject>
#include <QSet>

#include <cerrno>

RepositoryWatcher::RepositoryWatcher(GitService& git, int budget, QObject* parent)
    : QObject(parent), m_git(git), m_budget(budget), m_inotify([this](const QList<InotifyEvent>& events) { onEvents(events); }) {
    m_pool.setMaxThreadCount(1);
    m_pool.setObjectName(QStringLiteral("WatchPlans"));
    connect(&m_repositories, &ChangeCoalescer::due, this, &RepositoryWatcher::repositoryChanged);
    connect(&m_folders, &ChangeCoalescer::due, this, &RepositoryWatcher::folderChanged);
}

RepositoryWatcher::~RepositoryWatcher() {
    m_stop->store(true);
    m_pool.waitForDone();
    endAll();
}

void RepositoryWatcher::watch(const QByteArray& root, int maxDepth, const QList<WatchTarget>& targets) {
    ++m_generation;
    m_planning = 0;
    m_plannedBudget = m_budget;
    m_root = root;
    m_maxDepth = maxDepth;
    m_rootComplete = false;
    m_targets.clear();
    m_live.clear();
    for (const WatchTarget& target : targets) {
        m_targets.insert(target.path, target);
        m_live.insert(target.path, Live::pending);
    }
    plan(targets, true, root);
}

void RepositoryWatcher::add(const QList<WatchTarget>& targets) {
    QList<WatchTarget> fresh;
    for (const WatchTarget& target : targets) {
        if (m_targets.value(target.path) == target && m_live.value(target.path) != Live::notLive) continue;
        release(target.path);
        m_targets.insert(target.path, target);
        m_live.insert(target.path, Live::pending);
        fresh.append(target);
    }
    if (!fresh.isEmpty()) plan(fresh, false, {});
}

void RepositoryWatcher::remove(const QList<QByteArray>& keys) {
    for (const QByteArray& key : keys) {
        release(key);
        m_targets.remove(key);
        m_live.remove(key);
        m_repositories.forget(key);
    }
}

void RepositoryWatcher::clear() {
    ++m_generation;
    m_planning = 0;
    endAll();
    m_targets.clear();
    m_live.clear();
    m_root.clear();
    m_rootComplete = false;
    m_repositories.clear();
    m_folders.clear();
}

RepositoryWatcher::Live RepositoryWatcher::liveState(const QByteArray& key) const {
    if (!available()) return Live::notLive;
    return m_live.value(key, Live::notLive);
}

void RepositoryWatcher::plan(QList<WatchTarget> targets, bool full, const QByteArray& rootSubtree) {
    ++m_planning;
    const quint64 generation = m_generation;
    int depthLeft = m_maxDepth;
    if (!rootSubtree.isEmpty() && rootSubtree != m_root)
        depthLeft -= int(rootSubtree.mid(m_root.size()).count('/'));
    m_pool.start([this, stop = m_stop, targets = std::move(targets), full, generation, rootSubtree, depthLeft] {
        GitService::StopScope scope(stop.get());
        Batch batch{generation, full, {}, {}};
        if (!rootSubtree.isEmpty() && depthLeft > 0) batch.rootFolders = watchplan::rootFolders(rootSubtree, depthLeft, stop.get());
        for (const WatchTarget& target : targets) {
            if (stop->load()) return;
            batch.plans.append(watchplan::plan(target, m_git));
        }
        QMetaObject::invokeMethod(this, [this, batch = std::move(batch)] { apply(batch); }, Qt::QueuedConnection);
    });
}

void RepositoryWatcher::apply(const Batch& batch) {
    if (batch.generation != m_generation) return;
    --m_planning;
    if (batch.full) endAll();
    QList<const WatchPlan*> planned;
    for (const WatchPlan& plan : batch.plans) {
        if (!m_targets.contains(plan.key) || m_live.value(plan.key) != Live::pending) continue;
        // Git folders first: what a commit, a checkout or a fetch changes.
        if (addAll(plan.gitFolders, {plan.key, WatchRole::gitFolder}) && addAll(plan.refFolders, {plan.key, WatchRole::gitRefs})) {
            planned.append(&plan);
        } else {
            release(plan.key);
            setLive(plan.key, Live::notLive);
        }
    }
    const bool rootsComplete = addAll(batch.rootFolders, {QByteArray(), WatchRole::root});
    if (batch.full) m_rootComplete = rootsComplete;
    else if (!rootsComplete) m_rootComplete = false;
    for (const WatchPlan* plan : planned) {
        if (addAll(plan->treeFolders, {plan->key, WatchRole::workTree})) {
            setLive(plan->key, Live::live);
        } else {
            release(plan->key, WatchRole::workTree);
            setLive(plan->key, Live::notLive);
        }
    }
    if (batch.full) replanOthers(batch);
    emit watchesUpdated();
}

void RepositoryWatcher::replanOthers(const Batch& batch) {
    // Projects added while the whole set was planned lost their watches with the old set.
    QSet<QByteArray> planned;
    for (const WatchPlan& plan : batch.plans) planned.insert(plan.key);
    QList<WatchTarget> others;
    for (const WatchTarget& target : std::as_const(m_targets)) {
        if (planned.contains(target.path)) continue;
        m_live.insert(target.path, Live::pending);
        others.append(target);
    }
    if (!others.isEmpty()) plan(others, false, {});
}

bool RepositoryWatcher::addWatch(const QByteArray& path, const WatchOwner& owner) {
    if (m_table.size() >= m_budget) return false;
    const int wd = m_inotify.add(path);
    if (wd < 0) return errno != ENOSPC && errno != EBADF; // a folder gone since is no loss
    m_table.add(wd, path, owner);
    return true;
}

bool RepositoryWatcher::addAll(const QList<QByteArray>& paths, const WatchOwner& owner) {
    for (const QByteArray& path : paths) {
        if (!addWatch(path, owner)) return false;
    }
    return true;
}

void RepositoryWatcher::release(const QByteArray& key, std::optional<WatchRole> role) {
    for (const int wd : m_table.release(key, role)) m_inotify.remove(wd);
}

void RepositoryWatcher::endAll() {
    for (const int wd : m_table.descriptors()) m_inotify.remove(wd);
    m_table.clear();
}

void RepositoryWatcher::setLive(const QByteArray& key, Live live) {
    if (m_targets.contains(key)) m_live.insert(key, live);
}
