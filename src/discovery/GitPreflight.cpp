#include "discovery/GitPreflight.h"

#include "discovery/FileAccess.h"
#include "discovery/RepositoryConfig.h"

#include <QList>

#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr qint64 kMaxHeadBytes = 64 * 1024;

// Entries git may open in the folder of this working tree's HEAD.
const QList<QByteArray>& worktreeEntries() {
    static const QList<QByteArray> names = {"HEAD", "index", "FETCH_HEAD", "info/sparse-checkout"};
    return names;
}

// Entries git may open in the common folder.
const QList<QByteArray>& commonEntries() {
    static const QList<QByteArray> names = {
        "packed-refs", "shallow", "info/exclude", "info/attributes", "info/grafts", "objects/info/alternates",
        "objects", "refs",
    };
    return names;
}

// Folders of the common folder whose every file git may open: legacy remote definitions,
// packs and commit graphs. Only the first kMaxListed entries of each are looked at.
const QList<QByteArray>& listedCommonFolders() {
    static const QList<QByteArray> names = {"remotes", "branches", "objects/pack", "objects/info/commit-graphs"};
    return names;
}

constexpr int kMaxListed = 1000;

// Entries git may open at the top of the working tree.
const QList<QByteArray>& workingTreeEntries() {
    static const QList<QByteArray> names = {".gitignore", ".gitattributes", ".gitmodules", ".mailmap"};
    return names;
}

std::optional<QString> checkEntry(const QByteArray& path) {
    struct stat st;
    if (::stat(path.constData(), &st) != 0) return std::nullopt; // absent: git copes
    // A socket (a daemon's) cannot be opened, so it cannot hold git up either.
    if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode) || S_ISSOCK(st.st_mode)) return std::nullopt;
    return QStringLiteral("“%1” is not a regular file or folder.").arg(displayPath(path));
}

std::optional<QString> checkAll(const QByteArray& folder, const QList<QByteArray>& names) {
    for (const QByteArray& name : names) {
        if (auto problem = checkEntry(fileaccess::join(folder, name))) return problem;
    }
    return std::nullopt;
}

std::optional<QString> checkListed(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return std::nullopt;
    std::optional<QString> problem;
    int seen = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (++seen > kMaxListed) break;
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") continue;
        problem = checkEntry(fileaccess::join(folder, name));
        if (problem) break;
    }
    ::closedir(dir);
    return problem;
}

// The loose object file of a full hexadecimal object name.
std::optional<QByteArray> looseObjectPath(const QByteArray& commonDir, const QByteArray& oid) {
    if (oid.size() != 40 && oid.size() != 64) return std::nullopt;
    for (const char c : oid) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return std::nullopt;
    }
    return commonDir + "/objects/" + oid.left(2) + '/' + oid.mid(2);
}

// The ref HEAD names ("ref: refs/heads/main"), when it is a plain name below refs/.
std::optional<QByteArray> headTarget(const QByteArray& gitDir) {
    const auto text = fileaccess::readRegularFile(fileaccess::join(gitDir, "HEAD"), kMaxHeadBytes);
    if (!text || !text->startsWith("ref: ")) return std::nullopt;
    const QByteArray name = text->mid(5).trimmed();
    if (!name.startsWith("refs/") || name.contains("..") || name.contains('\0')) return std::nullopt;
    return name;
}

} // namespace

std::optional<QString> gitPreflightProblem(const QByteArray& folder) {
    const LocatedRepository located = locateRepository(folder);
    if (located.problem) return located.problem;
    if (!located.location) return std::nullopt;
    const RepositoryLocation& where = *located.location;

    if (auto problem = checkAll(where.gitDir, worktreeEntries())) return problem;
    if (auto problem = checkAll(where.commonDir, commonEntries())) return problem;
    if (auto problem = checkAll(folder, workingTreeEntries())) return problem;
    // Every file at the top of the git folders (split index parts, ORIG_HEAD, ...).
    if (auto problem = checkListed(where.gitDir)) return problem;
    if (where.commonDir != where.gitDir) {
        if (auto problem = checkListed(where.commonDir)) return problem;
    }
    for (const QByteArray& name : listedCommonFolders()) {
        if (auto problem = checkListed(fileaccess::join(where.commonDir, name))) return problem;
    }
    if (const auto ref = headTarget(where.gitDir)) {
        for (const QByteArray& dir : {where.gitDir, where.commonDir}) {
            const QByteArray refPath = fileaccess::join(dir, *ref);
            if (auto problem = checkEntry(refPath)) return problem;
            // The commit a loose ref names is the first object the scan's commands read.
            const auto oid = fileaccess::readRegularFile(refPath, kMaxHeadBytes);
            if (!oid) continue;
            if (const auto object = looseObjectPath(where.commonDir, oid->trimmed())) {
                if (auto problem = checkEntry(*object)) return problem;
            }
        }
    }
    // The submodules it names must be known, or status could enter one.
    if (!readGitmodules(folder)) return QStringLiteral("The file “.gitmodules” cannot be checked.");
    const QByteArray home = qgetenv("HOME");
    const ConfigRead config = readRepositoryConfig(where, home);
    if (config.problem) return config.problem;
    // Files the repository's configuration points status at.
    for (const ConfigEntry& entry : config.entries) {
        if ((entry.name != "core.excludesfile" && entry.name != "core.attributesfile") || !entry.value) continue;
        QByteArray path = *entry.value;
        if (path.startsWith("~/")) path = home + path.mid(1);
        if (auto problem = checkEntry(path.startsWith('/') ? path : fileaccess::join(folder, path))) return problem;
    }
    return std::nullopt;
}
