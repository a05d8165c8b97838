#include "discovery/FolderWalkerListing.h"

#include <condition_variable>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace folderwalk {

namespace {

// The visits of a subtree the helper walked, waiting to be handed over in their place.
struct TakenSubtree {
    std::vector<FolderVisit> visits;
    bool done = false;
    bool givenBack = false; // the helper left it to the calling thread
};

struct Entry {
    std::string name;
    std::shared_ptr<TakenSubtree> taken;
};

// A folder the calling thread is inside. Of its subfolders, [next, end) are still to be walked
// by that thread and [end, size) were taken by the helper, always from the back.
struct Frame {
    int fd;
    QByteArray path;
    int depth; // the subfolders' depth
    std::vector<Entry> entries;
    size_t next = 0;
    size_t end = 0;
};

// Visits buffered by the helper and not handed over yet beyond which it takes no more subtrees.
constexpr size_t kBufferedLimit = 200000;

QByteArray childPath(const QByteArray& folder, const std::string& name) {
    QByteArray path = folder;
    if (!path.endsWith('/')) path += '/';
    return path + QByteArray(name.data(), qsizetype(name.size()));
}

class HelpedWalk {
public:
    HelpedWalk(int maxDepth, const std::atomic<bool>* stop, const FolderWalker::Visitor& visit)
        : m_maxDepth(maxDepth), m_stop(stop), m_visit(visit), m_buffer(64 * 1024) {}

    void run(const QByteArray& root) {
        std::thread helper([this] { help(); });
        m_path.assign(root.constData(), size_t(root.size()));
        walkFolder(AT_FDCWD, root.constData(), 0);
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_changed.notify_all();
        helper.join();
    }

private:
    bool stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    void walkFolder(int parentFd, const char* name, int depth) {
        if (stopped()) return;
        const QByteArray path(m_path.data(), qsizetype(m_path.size()));
        const int fd = openFolder(parentFd, name, depth);
        if (fd < 0) {
            m_visit(unlistedVisit(path, parentFd, name));
            return;
        }
        FolderVisit visit{path, m_path.size() <= kShortPathLimit ? path : descriptorPath(fd), {}, true};
        std::vector<std::string> subfolders;
        readListing(fd, depth < m_maxDepth, m_buffer, visit.markers, subfolders);
        m_visit(visit);
        if (!subfolders.empty()) {
            Frame frame{fd, path, depth + 1, {}, 0, subfolders.size()};
            frame.entries.reserve(subfolders.size());
            for (std::string& sub : subfolders) frame.entries.push_back(Entry{std::move(sub), nullptr});
            walkEntries(frame);
        }
        ::close(fd);
    }

    void walkEntries(Frame& frame) {
        {
            std::lock_guard lock(m_mutex);
            m_frames.push_back(&frame);
            if (m_helperIdle) m_changed.notify_all();
        }
        for (;;) {
            Entry* entry = nullptr;
            bool taken = false;
            {
                std::lock_guard lock(m_mutex);
                if (frame.next < frame.entries.size()) {
                    taken = frame.next >= frame.end;
                    entry = &frame.entries[frame.next++];
                }
            }
            if (!entry || stopped()) break;
            if (!taken || !handOver(*entry)) walkOwn(frame, *entry);
        }
        std::lock_guard lock(m_mutex);
        m_frames.pop_back();
    }

    void walkOwn(const Frame& frame, const Entry& entry) {
        const size_t base = m_path.size();
        if (m_path.empty() || m_path.back() != '/') m_path += '/';
        m_path += entry.name;
        walkFolder(frame.fd, entry.name.c_str(), frame.depth);
        m_path.resize(base);
    }

    // Makes the visits the helper buffered for `entry`, once it has them all; false when the
    // helper gave the subtree back.
    bool handOver(const Entry& entry) {
        const std::shared_ptr<TakenSubtree> taken = entry.taken;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return taken->done; });
        }
        for (const FolderVisit& visit : taken->visits) {
            if (stopped()) break;
            m_visit(visit);
        }
        {
            std::lock_guard lock(m_mutex);
            m_buffered -= taken->visits.size();
            if (m_helperIdle) m_changed.notify_all();
        }
        taken->visits = {};
        return !taken->givenBack;
    }

    // The shallowest frame with a subfolder the calling thread has not reached, whose path is
    // short enough for the helper's visits to stand on their own.
    Frame* frameToHelp() const {
        for (Frame* frame : m_frames) {
            if (frame->next >= frame->end) continue;
            if (size_t(frame->path.size()) + 1 + frame->entries[frame->end - 1].name.size() > kShortPathLimit)
                return nullptr;
            return frame;
        }
        return nullptr;
    }

    void help() {
        std::vector<FolderVisit>* out = nullptr;
        SubtreeWalk walk(m_stop, m_maxDepth, [&](const FolderVisit& visit) {
            // A long path's access path is a descriptor that is closed before the hand-over.
            if (size_t(visit.path.size()) > kShortPathLimit) return false;
            out->push_back(visit);
            return true;
        });
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (m_finished || stopped()) return;
            Frame* frame = m_buffered < kBufferedLimit ? frameToHelp() : nullptr;
            if (!frame) {
                m_helperIdle = true;
                m_changed.wait(lock);
                m_helperIdle = false;
                continue;
            }
            Entry& entry = frame->entries[--frame->end];
            const auto taken = std::make_shared<TakenSubtree>();
            entry.taken = taken;
            const QByteArray path = childPath(frame->path, entry.name);
            const int depth = frame->depth;
            // Opened while the lock keeps the frame, and so its folder's descriptor, alive.
            const int fd = openFolder(frame->fd, entry.name.c_str(), depth);
            if (fd < 0) taken->visits.push_back(unlistedVisit(path, frame->fd, entry.name.c_str()));
            lock.unlock();

            if (fd >= 0) {
                out = &taken->visits;
                walk.walkOpen(fd, path, depth);
                if (walk.aborted()) {
                    taken->givenBack = true;
                    taken->visits = {};
                }
            }
            lock.lock();
            taken->done = true;
            m_buffered += taken->visits.size();
            m_changed.notify_all();
        }
    }

    const int m_maxDepth;
    const std::atomic<bool>* m_stop;
    const FolderWalker::Visitor& m_visit;
    // The calling thread's own.
    std::string m_path;
    std::vector<char> m_buffer;
    // Shared, under the mutex.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Frame*> m_frames;
    size_t m_buffered = 0;
    bool m_finished = false;
    bool m_helperIdle = false;
};

} // namespace

void walkWithHelper(const QByteArray& root, int maxDepth, const std::atomic<bool>* stop,
                    const FolderWalker::Visitor& visit) {
    HelpedWalk(maxDepth, stop, visit).run(root);
}

} // namespace folderwalk
