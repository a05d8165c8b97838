#pragma once

// The pieces the folder walks share: reading one folder's listing and walking a subtree on the
// calling thread. Internal to FolderWalker*.cpp.

#include "discovery/FolderWalker.h"

#include <QByteArray>

#include <atomic>
#include <climits>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace folderwalk {

// Paths up to this length leave room for a marker name and still fit any system call.
inline constexpr size_t kShortPathLimit = PATH_MAX - 64;

// The folder `name` below the open folder `dirFd` through the process's descriptor table: a
// short path to a folder whose own path may be any length.
QByteArray descriptorPath(int dirFd, const char* name = nullptr);

// Tests the markers of folder `name` below `parentFd` by path, following symbolic links.
FolderMarkers probeAt(int parentFd, const char* name);

// Opens folder `name` below `parentFd`; below the root (depth 0) symbolic links are refused.
int openFolder(int parentFd, const char* name, int depth);

// Reads the whole listing of the open folder `fd`: its markers, and (when `descend`) the
// subfolders to enter, in listing order. `buffer` is scratch space.
void readListing(int fd, bool descend, std::vector<char>& buffer, FolderMarkers& markers,
                 std::vector<std::string>& subfolders);

// The visit of a folder whose listing could not be opened.
FolderVisit unlistedVisit(const QByteArray& path, int parentFd, const char* name);

// A pre-order walk of one subtree on the calling thread. The visitor returns false to end the
// walk at once (aborted() then tells).
class SubtreeWalk {
public:
    using Visitor = std::function<bool(const FolderVisit&)>;

    SubtreeWalk(const std::atomic<bool>* stop, int maxDepth, Visitor visit);

    // Walks the folder `name` below `parentFd` at `depth`; `path` is its full path.
    void walk(int parentFd, const char* name, const QByteArray& path, int depth);
    // The same for a folder already open as `fd`, which the walk closes.
    void walkOpen(int fd, const QByteArray& path, int depth);

    bool aborted() const { return m_aborted; }

private:
    void walkFolder(int parentFd, const char* name, int depth);
    void walkListed(int fd, int depth);
    bool ended() const { return m_aborted || (m_stop && m_stop->load(std::memory_order_relaxed)); }

    const std::atomic<bool>* m_stop;
    int m_maxDepth;
    Visitor m_visit;
    bool m_aborted = false;
    std::string m_path;
    std::vector<char> m_buffer;
};

// The walk of a whole tree with a second thread taking subtrees the calling thread has not
// reached yet; their visits are handed back in place, so the order is the same pre-order.
void walkWithHelper(const QByteArray& root, int maxDepth, const std::atomic<bool>* stop,
                    const FolderWalker::Visitor& visit);

} // namespace folderwalk
