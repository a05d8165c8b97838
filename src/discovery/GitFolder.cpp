#include "discovery/GitFolder.h"

#include "discovery/BareRepository.h"
#include "discovery/FileAccess.h"

#include <sys/stat.h>

namespace {

bool isDirectory(const QByteArray& path) {
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// "a/b/../c/." gives "a/c": the paths git writes are compared and shown, so fold them.
QByteArray normalized(const QByteArray& path) {
    QList<QByteArray> parts;
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".") continue;
        if (part == ".." && !parts.isEmpty() && parts.last() != "..") {
            parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray out = path.startsWith('/') ? QByteArrayLiteral("/") : QByteArray();
    out += parts.join('/');
    return out.isEmpty() ? QByteArrayLiteral(".") : out;
}

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0) return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray resolved(const QByteArray& base, const QByteArray& path) {
    return normalized(path.startsWith('/') ? path : base + '/' + path);
}

// The first line of a small file, without its line break.
std::optional<QByteArray> firstLine(const QByteArray& path) {
    const auto content = fileaccess::readRegularFile(path, 64 * 1024);
    if (!content) return std::nullopt;
    QByteArray line = content->left(content->indexOf('\n') < 0 ? content->size() : content->indexOf('\n'));
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

bool looksLikeGitDir(const QByteArray& dir) {
    return isDirectory(dir) && fileaccess::exists(fileaccess::join(dir, "HEAD"));
}

} // namespace

namespace gitfolder {

GitOperation operationIn(const QByteArray& gitDir) {
    const auto has = [&](const char* name) { return fileaccess::exists(fileaccess::join(gitDir, name)); };
    if (has("rebase-merge") || has("rebase-apply")) return GitOperation::rebase;
    if (has("MERGE_HEAD")) return GitOperation::merge;
    if (has("CHERRY_PICK_HEAD")) return GitOperation::cherryPick;
    if (has("REVERT_HEAD")) return GitOperation::revert;
    if (has("BISECT_LOG")) return GitOperation::bisect;
    return GitOperation::none;
}

GitFolderInfo read(const QByteArray& workTree) {
    GitFolderInfo info;
    const QByteArray dotGit = fileaccess::join(workTree, ".git");
    if (!fileaccess::exists(dotGit) && barerepository::isBareAt(workTree)) {
        info.bare = true;
        info.gitDir = workTree;
        info.commonDir = workTree;
    } else if (isDirectory(dotGit)) {
        if (!looksLikeGitDir(dotGit)) return info;
        info.gitDir = dotGit;
        info.commonDir = dotGit;
    } else {
        const auto line = firstLine(dotGit);
        static const QByteArray prefix = QByteArrayLiteral("gitdir: ");
        if (!line || !line->startsWith(prefix)) return info;
        info.gitDir = resolved(workTree, line->mid(prefix.size()).trimmed());
        if (!looksLikeGitDir(info.gitDir)) return info;
        info.commonDir = info.gitDir;
        if (const auto common = firstLine(fileaccess::join(info.gitDir, "commondir")); common && !common->isEmpty())
            info.commonDir = resolved(info.gitDir, common->trimmed());
        // A linked worktree's git folder is <common>/worktrees/<name>; a submodule's lies
        // under modules/ and is no worktree.
        if (info.commonDir != info.gitDir && parentOf(info.gitDir) == info.commonDir + "/worktrees") {
            info.worktreeOf = fileaccess::lastComponent(info.commonDir) == ".git" ? parentOf(info.commonDir)
                                                                                   : info.commonDir;
        }
    }
    info.valid = true;
    info.operation = operationIn(info.gitDir);
    info.lastFetched = fileaccess::modificationTime(fileaccess::join(info.gitDir, "FETCH_HEAD"));
    return info;
}

std::optional<QByteArray> enclosingRepository(const QByteArray& folder) {
    QByteArray current = normalized(folder);
    if (!current.startsWith('/')) return std::nullopt;
    while (current != "/") {
        current = parentOf(current);
        if (fileaccess::exists(fileaccess::join(current, ".git"))) return current;
    }
    return std::nullopt;
}

} // namespace gitfolder
