#include "discovery/FolderWalker.h"

#include "discovery/FolderWalkerListing.h"
#include "discovery/BareRepository.h"
#include "discovery/ProjectScanner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace folderwalk {

namespace {

// The existence of a listed entry, following symbolic links like any existence test.
bool listedEntryExists(int dirFd, const char* name, unsigned char type) {
    if (type != DT_LNK && type != DT_UNKNOWN) return true;
    struct stat st;
    return ::fstatat(dirFd, name, &st, 0) == 0;
}

// The entry itself is a folder; symbolic links are not followed.
bool isDirectoryEntry(int dirFd, const char* name, unsigned char type) {
    if (type == DT_DIR) return true;
    if (type != DT_UNKNOWN) return false;
    struct stat st;
    return ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

QByteArray descriptorPath(int dirFd, const char* name) {
    QByteArray path = "/proc/self/fd/" + QByteArray::number(dirFd);
    if (name) path += '/' + QByteArray(name);
    return path;
}

FolderMarkers probeAt(int parentFd, const char* name) {
    FolderMarkers markers;
    std::string relative(name);
    relative += '/';
    const size_t base = relative.size();
    for (size_t m = 0; m < size_t(Marker::count); ++m) {
        const char* fixed = markers::fixedName(Marker(m));
        if (!fixed) continue;
        relative.resize(base);
        relative += fixed;
        struct stat st;
        if (::fstatat(parentFd, relative.c_str(), &st, 0) == 0) markers.note(Marker(m), fixed, std::strlen(fixed));
    }
    if (markers.hasBareLayout()) {
        const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            markers.bare = barerepository::isBare(fd);
            ::close(fd);
        }
    }
    return markers;
}

int openFolder(int parentFd, const char* name, int depth) {
    // The root may be reached through a symbolic link; entries below it never are.
    return ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | (depth > 0 ? O_NOFOLLOW : 0));
}

void readListing(int fd, bool descend, std::vector<char>& buffer, FolderMarkers& markers,
                 std::vector<std::string>& subfolders) {
    const QSet<QByteArray>& skipped = ProjectScanner::skipDirectories();
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer.data(), buffer.size());
        if (got <= 0) break; // the end, or a listing that fails part way: keep what was read
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
            offset += entry->d_reclen;
            const char* entryName = entry->d_name;
            const size_t length = std::strlen(entryName);
            if (const std::optional<Marker> marker = markers::markerFor(entryName, length)) {
                if (listedEntryExists(fd, entryName, entry->d_type)) markers.note(*marker, entryName, length);
            }
            if (entryName[0] == '.' || !descend) continue;
            if (!isDirectoryEntry(fd, entryName, entry->d_type)) continue;
            if (skipped.contains(QByteArray::fromRawData(entryName, qsizetype(length)))) continue;
            subfolders.emplace_back(entryName, length);
        }
    }
    // A bare repository is a project of its own; its folders hold git's objects, not projects.
    if (markers.hasBareLayout() && barerepository::isBare(fd)) {
        markers.bare = true;
        subfolders.clear();
    }
}

FolderVisit unlistedVisit(const QByteArray& path, int parentFd, const char* name) {
    // The listing is denied or the folder is gone: the folder may still be a project.
    const bool shortPath = size_t(path.size()) <= kShortPathLimit;
    return FolderVisit{path, shortPath ? path : descriptorPath(parentFd, name), probeAt(parentFd, name), false};
}

SubtreeWalk::SubtreeWalk(const std::atomic<bool>* stop, int maxDepth, Visitor visit)
    : m_stop(stop), m_maxDepth(maxDepth), m_visit(std::move(visit)), m_buffer(64 * 1024) {}

void SubtreeWalk::walk(int parentFd, const char* name, const QByteArray& path, int depth) {
    m_aborted = false;
    m_path.assign(path.constData(), size_t(path.size()));
    walkFolder(parentFd, name, depth);
}

void SubtreeWalk::walkOpen(int fd, const QByteArray& path, int depth) {
    m_aborted = false;
    m_path.assign(path.constData(), size_t(path.size()));
    walkListed(fd, depth);
}

void SubtreeWalk::walkFolder(int parentFd, const char* name, int depth) {
    if (ended()) return;
    const int fd = openFolder(parentFd, name, depth);
    if (fd < 0) {
        if (!m_visit(unlistedVisit(QByteArray(m_path.data(), qsizetype(m_path.size())), parentFd, name)))
            m_aborted = true;
        return;
    }
    walkListed(fd, depth);
}

void SubtreeWalk::walkListed(int fd, int depth) {
    if (ended()) {
        ::close(fd);
        return;
    }
    const QByteArray path(m_path.data(), qsizetype(m_path.size()));
    // One listing answers the marker tests and yields the subfolders, in listing order.
    FolderVisit visit{path, m_path.size() <= kShortPathLimit ? path : descriptorPath(fd), {}, true};
    std::vector<std::string> subfolders;
    readListing(fd, depth < m_maxDepth, m_buffer, visit.markers, subfolders);
    if (!m_visit(visit)) m_aborted = true;

    const size_t base = m_path.size();
    for (const std::string& sub : subfolders) {
        if (ended()) break;
        if (m_path.empty() || m_path.back() != '/') m_path += '/';
        m_path += sub;
        walkFolder(fd, sub.c_str(), depth + 1);
        m_path.resize(base);
    }
    ::close(fd);
}

} // namespace folderwalk

FolderWalker::FolderWalker(const std::atomic<bool>* stop, Visitor visit, int threads)
    : m_stop(stop), m_visit(std::move(visit)), m_threads(threads) {}

void FolderWalker::walk(const QByteArray& root, int maxDepth) {
    if (maxDepth < 0) return;
    if (m_threads > 1) {
        folderwalk::walkWithHelper(root, maxDepth, m_stop, m_visit);
        return;
    }
    folderwalk::SubtreeWalk walk(m_stop, maxDepth, [this](const FolderVisit& visit) {
        m_visit(visit);
        return true;
    });
    walk.walk(AT_FDCWD, root.constData(), root, 0);
}

FolderMarkers FolderWalker::probeMarkers(const QByteArray& folder) {
    return folderwalk::probeAt(AT_FDCWD, folder.constData());
}
