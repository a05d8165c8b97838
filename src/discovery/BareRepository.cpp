#include "discovery/BareRepository.h"

#include "discovery/FileAccess.h"
#include "discovery/RepositoryConfigParser.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace barerepository {

namespace {

constexpr qint64 kMaxConfigBytes = 1024 * 1024;

bool hasEntry(int dirFd, const char* name, mode_t type) {
    struct stat st;
    return ::fstatat(dirFd, name, &st, 0) == 0 && (st.st_mode & S_IFMT) == type;
}

// git's boolean: a key without "=" is true, and so are "true", "yes", "on" and a non-zero number.
bool gitTrue(const std::optional<QByteArray>& value) {
    if (!value) return true;
    const QByteArray v = value->trimmed().toLower();
    if (v == "true" || v == "yes" || v == "on") return true;
    bool isNumber = false;
    const long long n = v.toLongLong(&isNumber);
    return isNumber && n != 0;
}

} // namespace

bool isBare(int dirFd) {
    if (!hasEntry(dirFd, "HEAD", S_IFREG) || !hasEntry(dirFd, "objects", S_IFDIR) || !hasEntry(dirFd, "refs", S_IFDIR))
        return false;
    const std::optional<QByteArray> text = fileaccess::readRegularFileAt(dirFd, "config", kMaxConfigBytes);
    if (!text) return false;
    const std::optional<QList<ConfigEntry>> entries = parseGitConfig(*text);
    if (!entries) return false;
    // The last setting wins, as in git.
    for (auto it = entries->crbegin(); it != entries->crend(); ++it) {
        if (it->name == "core.bare") return gitTrue(it->value);
    }
    return false;
}

bool isBareAt(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool bare = isBare(fd);
    ::close(fd);
    return bare;
}

QByteArray nameOf(const QByteArray& folderName) {
    if (folderName.size() > 4 && folderName.endsWith(".git")) return folderName.chopped(4);
    return folderName;
}

} // namespace barerepository
