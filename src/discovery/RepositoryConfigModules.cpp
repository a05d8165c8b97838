#include "discovery/RepositoryConfig.h"

#include "discovery/FileAccess.h"

#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr int kMaxDepth = 8;
constexpr int kMaxFolders = 512;

bool isRealFolder(const QByteArray& path) {
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const QByteArray& path) {
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QList<QByteArray> subfolders(const QByteArray& folder) {
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") continue;
        if (isRealFolder(fileaccess::join(folder, name))) names.append(name);
    }
    ::closedir(dir);
    return names;
}

class ModuleWalk {
public:
    QList<ModuleFolder> found;

    // `folder` lies below a "modules" folder; `prefix` is the name so far ("a/" for "modules/a").
    void walk(const QByteArray& folder, const QByteArray& prefix, int depth) {
        if (depth > kMaxDepth) return;
        for (const QByteArray& child : subfolders(folder)) {
            if (++m_visited > kMaxFolders) return;
            const QByteArray path = fileaccess::join(folder, child);
            if (isRegularFile(fileaccess::join(path, "HEAD"))) {
                found.append({prefix + child, path});
                walk(fileaccess::join(path, "modules"), {}, depth + 1);
            } else {
                walk(path, prefix + child + '/', depth + 1);
            }
        }
    }

private:
    int m_visited = 0;
};

} // namespace

QList<ModuleFolder> moduleFolders(const RepositoryLocation& location) {
    ModuleWalk walk;
    walk.walk(fileaccess::join(location.commonDir, "modules"), {}, 0);
    return walk.found;
}
