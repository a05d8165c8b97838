#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <mutex>

// How often a scan's progress is looked at and shown: at most ten times a second.
inline constexpr std::chrono::milliseconds kScanProgressInterval{100};

// A snapshot of a running scan.
struct ScanProgress {
    qint64 folders = 0;          // folders visited by the walk
    qint64 projects = 0;         // projects found so far
    qint64 repositories = 0;     // of those, the ones that are git repositories
    qint64 repositoriesRead = 0; // repositories whose git state has been read
    bool walkDone = false;       // the walk has ended; only git runs remain
    QByteArray currentFolder;    // the folder the walk is in (file-system bytes)

    bool operator==(const ScanProgress&) const = default;
};

// Shared between one scan and whoever started it: the request to stop, and the counters the
// scan keeps up to date. Every member may be used from any thread.
class ScanControl {
public:
    void requestStop() { m_stop.store(true); }
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    // For the process runner, which looks at it while a child runs.
    const std::atomic<bool>* stopFlag() const { return &m_stop; }

    ScanProgress progress() const;

    // The scan's side.
    void folderVisited() { m_folders.fetch_add(1, std::memory_order_relaxed); }
    void projectFound(bool repository);
    void repositoryRead() { m_repositoriesRead.fetch_add(1); }
    void walkEnded() { m_walkDone.store(true); }
    void setCurrentFolder(const char* path, size_t size);

private:
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_folders{0};
    std::atomic<qint64> m_projects{0};
    std::atomic<qint64> m_repositories{0};
    std::atomic<qint64> m_repositoriesRead{0};
    std::atomic<bool> m_walkDone{false};
    mutable std::mutex m_folderMutex;
    QByteArray m_currentFolder;
};
