#include "discovery/ScanControl.h"

#include <algorithm>

ScanProgress ScanControl::progress() const {
    ScanProgress p;
    // Read in the opposite order of the writes so that a repository is never counted as read
    // before it is counted as found.
    p.walkDone = m_walkDone.load();
    p.repositoriesRead = m_repositoriesRead.load();
    p.repositories = std::max(m_repositories.load(), p.repositoriesRead);
    p.projects = m_projects.load(std::memory_order_relaxed);
    p.folders = m_folders.load(std::memory_order_relaxed);
    std::lock_guard lock(m_folderMutex);
    p.currentFolder = m_currentFolder;
    return p;
}

void ScanControl::projectFound(bool repository) {
    m_projects.fetch_add(1, std::memory_order_relaxed);
    if (repository) m_repositories.fetch_add(1);
}

void ScanControl::setCurrentFolder(const char* path, size_t size) {
    QByteArray copy(path, qsizetype(size));
    std::lock_guard lock(m_folderMutex);
    m_currentFolder.swap(copy);
}
