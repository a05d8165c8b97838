#include "discovery/FolderWalker.h"

#include "discovery/FileAccess.h"
#include "discovery/ProjectScanner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

struct MarkerFile {
    const char* name;
    bool FolderMarkers::*flag;
};

// The entries that make a folder a project, and the flag each one sets.
constexpr MarkerFile kMarkerFiles[] = {
    {"package.json", &FolderMarkers::packageJson},   {"pom.xml", &FolderMarkers::pomXml},
    {"setup.py", &FolderMarkers::setupPy},           {"pyproject.toml", &FolderMarkers::pyprojectToml},
    {"Package.swift", &FolderMarkers::packageSwift}, {".git", &FolderMarkers::git},
};

const MarkerFile* markerFor(const char* name) {
    for (const MarkerFile& m : kMarkerFiles) {
        if (std::strcmp(name, m.name) == 0) return &m;
    }
    return nullptr;
}

// Paths up to this length leave room for a marker name and still fit any system call.
constexpr size_t kShortPathLimit = PATH_MAX - 64;

// The folder `name` below the open folder `dirFd` through the process's descriptor table: a
// short path to a folder whose own path may be any length.
QByteArray descriptorPath(int dirFd, const char* name = nullptr) {
    QByteArray path = "/proc/self/fd/" + QByteArray::number(dirFd);
    if (name) path += '/' + QByteArray(name);
    return path;
}

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

FolderMarkers probeAt(int parentFd, const char* name) {
    FolderMarkers markers;
    std::string relative(name);
    relative += '/';
    const size_t base = relative.size();
    for (const MarkerFile& m : kMarkerFiles) {
        relative.resize(base);
        relative += m.name;
        struct stat st;
        markers.*m.flag = ::fstatat(parentFd, relative.c_str(), &st, 0) == 0;
    }
    return markers;
}

} // namespace

FolderWalker::FolderWalker(const std::atomic<bool>* stop, Visitor visit)
    : m_stop(stop), m_visit(std::move(visit)), m_buffer(64 * 1024) {}

void FolderWalker::walk(const QByteArray& root, int maxDepth) {
    if (maxDepth < 0) return;
    m_maxDepth = maxDepth;
    m_path.assign(root.constData(), size_t(root.size()));
    walkFolder(AT_FDCWD, m_path.c_str(), 0);
}

FolderMarkers FolderWalker::probeMarkers(const QByteArray& folder) {
    return probeAt(AT_FDCWD, folder.constData());
}

void FolderWalker::walkFolder(int parentFd, const char* name, int depth) {
    if (stopped()) return;
    const QByteArray path(m_path.data(), qsizetype(m_path.size()));
    const bool shortPath = m_path.size() <= kShortPathLimit;

    // The root may be reached through a symbolic link; entries below it never are.
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (depth > 0 ? O_NOFOLLOW : 0);
    const int fd = ::openat(parentFd, name, flags);
    if (fd < 0) {
        // The listing is denied or the folder is gone: the folder may still be a project.
        FolderVisit visit{path, shortPath ? path : descriptorPath(parentFd, name), probeAt(parentFd, name), false};
        m_visit(visit);
        return;
    }

    // One listing answers the marker tests and yields the subfolders, in listing order.
    FolderVisit visit{path, shortPath ? path : descriptorPath(fd), {}, true};
    std::vector<std::string> subfolders;
    const bool descend = depth < m_maxDepth;
    for (;;) {
        const ssize_t got = ::getdents64(fd, m_buffer.data(), m_buffer.size());
        if (got <= 0) break; // the end, or a listing that fails part way: keep what was read
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(m_buffer.data() + offset);
            offset += entry->d_reclen;
            const char* entryName = entry->d_name;
            if (const MarkerFile* marker = markerFor(entryName))
                visit.markers.*marker->flag = listedEntryExists(fd, entryName, entry->d_type);
            if (entryName[0] == '.' || !descend) continue;
            if (!isDirectoryEntry(fd, entryName, entry->d_type)) continue;
            if (ProjectScanner::skipDirectories().contains(
                    QByteArray::fromRawData(entryName, qsizetype(std::strlen(entryName)))))
                continue;
            subfolders.emplace_back(entryName);
        }
    }

    m_visit(visit);

    const size_t base = m_path.size();
    for (const std::string& sub : subfolders) {
        if (stopped()) break;
        if (m_path.empty() || m_path.back() != '/') m_path += '/';
        m_path += sub;
        walkFolder(fd, sub.c_str(), depth + 1);
        m_path.resize(base);
    }
    ::close(fd);
}
