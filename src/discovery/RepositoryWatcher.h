#pragma once

#include "discovery/ChangeCoalescer.h"
#include "discovery/Inotify.h"
#include "discovery/WatchPlan.h"
#include "discovery/WatchTable.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>

class GitService;

// Follows repositories on disk with inotify: each project's git folder (HEAD, the index, refs,
// packed refs, FETCH_HEAD, an operation's files; a linked worktree's own and common git
// folder), the folders of its working tree that hold tracked files, and the folders of the
// root outside every repository. A burst of changes gives one repositoryChanged (git folder:
// after 200 ms of quiet, working tree: 500 ms) or one folderChanged for an entry made or
// removed in a root folder. While nothing changes nothing runs: no timer and no git.
//
// One budget of watches serves all: git folders first, then the root's folders, then the
// working trees in the order given (see watchplan::byRecentChange). A project whose folders
// do not all fit is not watched live; what did not fit of a working tree is left out so that
// smaller ones still fit.
// Plans (reading refs/, "git ls-files") are made on a worker thread.
class RepositoryWatcher : public QObject {
    Q_OBJECT

public:
    enum class Live { pending, live, notLive };
    struct Delays {
        ChangeCoalescer::Delay git{std::chrono::milliseconds(200), std::chrono::milliseconds(800)};
        ChangeCoalescer::Delay tree{std::chrono::milliseconds(500), std::chrono::milliseconds(1500)};
        ChangeCoalescer::Delay root{std::chrono::milliseconds(300), std::chrono::milliseconds(1000)};
    };

    explicit RepositoryWatcher(GitService& git, int budget, QObject* parent = nullptr);
    // Stops the planning (its git runs are killed) and ends every watch.
    ~RepositoryWatcher() override;

    bool available() const { return m_inotify.isOpen(); }
    int budget() const { return m_budget; }
    // Takes effect with the next watch().
    void setBudget(int budget) { m_budget = budget; }
    // The budget the watches in place were planned with.
    int plannedBudget() const { return m_plannedBudget; }

    // Replaces everything watched: the projects `targets` and the folders of `root`'s walk.
    void watch(const QByteArray& root, int maxDepth, const QList<WatchTarget>& targets);
    // Projects that came or went since.
    void add(const QList<WatchTarget>& targets);
    void remove(const QList<QByteArray>& keys);
    void clear();

    Live liveState(const QByteArray& key) const;
    // Every folder of the root's walk is watched (a new project anywhere is seen).
    bool rootWatched() const { return m_rootComplete; }
    const QByteArray& root() const { return m_root; }
    int maxDepth() const { return m_maxDepth; }
    int watchCount() const { return m_table.size(); }
    // Plans are being made; watchesUpdated follows.
    bool planning() const { return m_planning > 0; }
    QList<QByteArray> keys() const { return m_targets.keys(); }
    // No change is waiting and no timer runs.
    bool idle() const {
        return m_repositories.pendingCount() == 0 && m_folders.pendingCount() == 0 && !m_repositories.timerActive() &&
               !m_folders.timerActive();
    }

signals:
    void repositoryChanged(const QByteArray& key);
    // An entry appeared in or left the root folder `folder` (or is a project marker there);
    // `folder` is the entry's own folder path for a folder, else the folder holding it.
    void folderChanged(const QByteArray& folder);
    // Plans were applied: live states and watchCount may differ.
    void watchesUpdated();

private:
    struct Batch {
        quint64 generation = 0;
        bool full = false;
        QList<QByteArray> rootFolders;
        QList<WatchPlan> plans;
    };

    void plan(QList<WatchTarget> targets, bool full, const QByteArray& rootSubtree);
    void apply(const Batch& batch);
    void replanOthers(const Batch& batch);
    // false when the budget (or the kernel) has no room for it.
    bool addWatch(const QByteArray& path, const WatchOwner& owner);
    bool addAll(const QList<QByteArray>& paths, const WatchOwner& owner);
    void release(const QByteArray& key, std::optional<WatchRole> role = std::nullopt);
    void endAll();
    void onEvents(const QList<InotifyEvent>& events);
    void onEvent(const InotifyEvent& event);
    void onRootEvent(const WatchTable::Entry& entry, const InotifyEvent& event);
    void onGitFolderEvent(const WatchOwner& owner, const WatchTable::Entry& entry, const InotifyEvent& event);
    void setLive(const QByteArray& key, Live live);

    GitService& m_git;
    int m_budget;
    int m_plannedBudget = 0;
    Delays m_delays;
    Inotify m_inotify;
    WatchTable m_table;
    ChangeCoalescer m_repositories;
    ChangeCoalescer m_folders;
    QHash<QByteArray, WatchTarget> m_targets;
    QHash<QByteArray, Live> m_live;
    QByteArray m_root;
    int m_maxDepth = 0;
    bool m_rootComplete = false;
    quint64 m_generation = 0;
    int m_planning = 0;
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
    QThreadPool m_pool;
};
