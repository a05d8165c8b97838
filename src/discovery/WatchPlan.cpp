#include "discovery/WatchPlan.h"

#include "discovery/FileAccess.h"
#include "discovery/FolderWalker.h"
#include "discovery/GitFolder.h"
#include "discovery/GitService.h"

#include <QStringList>

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>

namespace watchplan {

namespace {

bool isFolder(const QByteArray& path) {
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// `folder` and the folders below it, pre-order, symbolic links not followed, at most `limit`.
void collectFolders(const QByteArray& folder, int depth, QList<QByteArray>& out, int limit) {
    if (int(out.size()) >= limit || !isFolder(folder)) return;
    out.append(folder);
    if (depth <= 0) return;
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return;
    QList<QByteArray> children;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") continue;
        if (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN) children.append(fileaccess::join(folder, name));
    }
    ::closedir(dir);
    std::sort(children.begin(), children.end());
    for (const QByteArray& child : children) collectFolders(child, depth - 1, out, limit);
}

} // namespace

QList<WatchTarget> byRecentChange(const QList<Project>& projects) {
    QList<const Project*> order;
    for (const Project& p : projects) order.append(&p);
    std::stable_sort(order.begin(), order.end(), [](const Project* a, const Project* b) {
        return a->lastModified.value_or(QDateTime()) > b->lastModified.value_or(QDateTime());
    });
    QList<WatchTarget> targets;
    for (const Project* p : order) targets.append(WatchTarget::of(*p));
    return targets;
}

QList<QByteArray> foldersFrom(const QByteArray& folder, int limit) {
    QList<QByteArray> folders;
    collectFolders(folder, 16, folders, limit);
    return folders;
}

bool isWithin(const QByteArray& path, const QByteArray& folder) {
    if (!path.startsWith(folder)) return false;
    return path.size() == folder.size() || folder.endsWith('/') || path.at(folder.size()) == '/';
}

QList<QByteArray> trackedFolders(const QByteArray& folder, const QByteArray& lsFilesOutput) {
    QSet<QByteArray> relative;
    for (const QByteArray& file : lsFilesOutput.split('\0')) {
        // Every folder on the way to the file, nearest first; those met before end the climb.
        for (qsizetype slash = file.lastIndexOf('/'); slash > 0; slash = file.lastIndexOf('/', slash - 1)) {
            const QByteArray parent = file.left(slash);
            if (relative.contains(parent)) break;
            relative.insert(parent);
        }
    }
    QList<QByteArray> sorted(relative.cbegin(), relative.cend());
    std::sort(sorted.begin(), sorted.end());
    QList<QByteArray> folders{folder};
    for (const QByteArray& name : sorted) {
        // "." and ".." never come from git; a listing that holds them is not trusted.
        if (name.split('/').contains(".") || name.split('/').contains("..")) continue;
        folders.append(fileaccess::join(folder, name));
    }
    return folders;
}

WatchPlan plan(const WatchTarget& target, GitService& git) {
    WatchPlan plan{target.path, {}, {}, {}};
    if (!target.hasGit) {
        plan.treeFolders.append(target.path);
        return plan;
    }
    const GitFolderInfo info = gitfolder::read(target.repository.value_or(target.path));
    if (!info.valid) return plan;
    plan.gitFolders.append(info.gitDir);
    if (info.commonDir != info.gitDir) plan.gitFolders.append(info.commonDir);
    for (const char* operation : {"rebase-merge", "rebase-apply", "sequencer"}) {
        const QByteArray folder = fileaccess::join(info.gitDir, operation);
        if (isFolder(folder)) plan.gitFolders.append(folder);
    }
    collectFolders(fileaccess::join(info.commonDir, "refs"), 16, plan.refFolders, kMaxRefFolders);
    if (info.bare) return plan;
    const ProcessResult listing = git.runGitFull({QStringLiteral("ls-files"), QStringLiteral("-z")}, target.path);
    plan.treeFolders = listing.succeeded() ? trackedFolders(target.path, listing.output) : QList<QByteArray>{target.path};
    return plan;
}

QList<QByteArray> rootFolders(const QByteArray& root, int maxDepth, const std::atomic<bool>* stop) {
    QList<QByteArray> folders;
    // Pre-order: a repository's folders come right after it, so the newest one found is the
    // only one they can lie in.
    QByteArray repository;
    FolderWalker walker(stop, [&](const FolderVisit& visit) {
        if (!repository.isEmpty() && isWithin(visit.path, repository)) return;
        if (visit.markers.has(Marker::git) || visit.markers.bare) {
            repository = visit.path;
            return;
        }
        const QByteArray relative = visit.path.mid(root.size());
        const int depth = relative.isEmpty() ? 0 : int(relative.count('/')) + (root.endsWith('/') ? 1 : 0);
        if (depth < maxDepth) folders.append(visit.path);
    });
    walker.walk(root, maxDepth);
    return folders;
}

QList<QByteArray> markedFolders(const QByteArray& root, int maxDepth, const std::atomic<bool>* stop) {
    QList<QByteArray> folders;
    FolderWalker walker(stop, [&folders](const FolderVisit& visit) {
        // A bare repository's layout names are common words; alone they mark nothing.
        constexpr std::uint32_t layout = FolderMarkers::bit(Marker::head) | FolderMarkers::bit(Marker::objects) |
                                         FolderMarkers::bit(Marker::refs) | FolderMarkers::bit(Marker::config);
        if ((visit.markers.present & ~layout) != 0 || visit.markers.bare) folders.append(visit.path);
    });
    walker.walk(root, maxDepth);
    return folders;
}

QList<QByteArray> goneUnder(const QByteArray& folder, const QList<QByteArray>& known, const QList<QByteArray>& found) {
    const QSet<QByteArray> present(found.cbegin(), found.cend());
    QList<QByteArray> gone;
    for (const QByteArray& path : known) {
        if (isWithin(path, folder) && !present.contains(path)) gone.append(path);
    }
    return gone;
}

} // namespace watchplan

WatchTarget WatchTarget::of(const Project& project) {
    return WatchTarget{project.path, project.repository, project.hasGit};
}
