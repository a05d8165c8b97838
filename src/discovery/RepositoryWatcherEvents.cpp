// What RepositoryWatcher does with the kernel's events: which repository or root folder a
// change belongs to, the watches that follow new folders under refs/ and of an operation,
// and the watches the kernel ended.
#include "discovery/FileAccess.h"
#include "discovery/FolderMarkers.h"
#include "discovery/ProjectScanner.h"
#include "discovery/RepositoryWatcher.h"

#include <sys/inotify.h>

namespace {

constexpr std::uint32_t kEntryChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

bool isOperationFolder(const QByteArray& name) {
    return name == "rebase-merge" || name == "rebase-apply" || name == "sequencer";
}

} // namespace

void RepositoryWatcher::onEvents(const QList<InotifyEvent>& events) {
    for (const InotifyEvent& event : events) onEvent(event);
}

void RepositoryWatcher::onEvent(const InotifyEvent& event) {
    if (event.mask & IN_Q_OVERFLOW) {
        // Events were lost: every repository and the whole root are read again.
        for (const QByteArray& key : m_targets.keys()) m_repositories.touch(key, m_delays.git);
        if (!m_root.isEmpty()) m_folders.touch(m_root, m_delays.root);
        return;
    }
    if (event.mask & IN_IGNORED) {
        // The folder is gone (or its watch was ended): its owners are read again, which tells
        // whether the repository still exists.
        for (const WatchOwner& owner : m_table.drop(event.wd)) {
            if (owner.key.isEmpty() || !m_targets.contains(owner.key)) continue;
            m_repositories.touch(owner.key, m_delays.git);
            if (m_table.countFor(owner.key) == 0) m_live.insert(owner.key, Live::notLive);
        }
        return;
    }
    const WatchTable::Entry* found = m_table.find(event.wd);
    if (!found) return;
    // Owners may be added while handling (a new refs/ folder); the entry is copied first.
    const WatchTable::Entry entry = *found;
    for (const WatchOwner& owner : entry.owners) {
        switch (owner.role) {
        case WatchRole::root: onRootEvent(entry, event); break;
        case WatchRole::gitFolder:
        case WatchRole::gitRefs:
            onGitFolderEvent(owner, entry, event);
            m_repositories.touch(owner.key, m_delays.git);
            break;
        case WatchRole::workTree:
            // The git folder inside the top folder reports its own changes.
            if (event.name == ".git" && !(event.mask & kEntryChanges)) break;
            m_repositories.touch(owner.key, m_delays.tree);
            break;
        }
    }
    // A moved folder's watch would report under its old path: it ends here, and the move is
    // seen where it went.
    if (event.mask & IN_MOVE_SELF) m_inotify.remove(event.wd);
}

void RepositoryWatcher::onGitFolderEvent(const WatchOwner& owner, const WatchTable::Entry& entry,
                                         const InotifyEvent& event) {
    if (!(event.mask & IN_ISDIR) || !(event.mask & (IN_CREATE | IN_MOVED_TO))) return;
    const bool refs = owner.role == WatchRole::gitRefs || event.name == "refs";
    if (!refs && !isOperationFolder(event.name)) return;
    // Folders made inside it before its watch was in place ("feature/a/" of a branch
    // "feature/a/b") are watched too.
    const QList<QByteArray> folders = watchplan::foldersFrom(fileaccess::join(entry.path, event.name), watchplan::kMaxRefFolders);
    if (!addAll(folders, {owner.key, refs ? WatchRole::gitRefs : WatchRole::gitFolder})) {
        setLive(owner.key, Live::notLive);
        emit watchesUpdated();
    }
}

void RepositoryWatcher::onRootEvent(const WatchTable::Entry& entry, const InotifyEvent& event) {
    if (!(event.mask & kEntryChanges) || event.name.isEmpty()) return;
    const bool folder = (event.mask & IN_ISDIR) != 0;
    const bool marker = markers::markerFor(event.name.constData(), size_t(event.name.size())).has_value();
    if (folder && !event.name.startsWith('.') && !ProjectScanner::skipDirectories().contains(event.name)) {
        const QByteArray child = fileaccess::join(entry.path, event.name);
        m_folders.touch(child, m_delays.root);
        // A new folder's own folders are watched too, so that a project made inside it is seen.
        if (event.mask & (IN_CREATE | IN_MOVED_TO)) plan({}, false, child);
    } else if (marker) {
        m_folders.touch(entry.path, m_delays.root);
    }
}
