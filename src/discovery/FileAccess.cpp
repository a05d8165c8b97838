#include "discovery/FileAccess.h"

#include "model/DateRange.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileaccess {

QByteArray join(const QByteArray& folder, const QByteArray& name) {
    QByteArray out;
    out.reserve(folder.size() + name.size() + 1);
    out += folder;
    if (!out.endsWith('/')) out += '/';
    out += name;
    return out;
}

QByteArray lastComponent(const QByteArray& path) {
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == '/') --end;
    if (end == 1 && path[0] == '/') return QByteArrayLiteral("/");
    const qsizetype slash = path.lastIndexOf('/', end - 1);
    return path.mid(slash + 1, end - slash - 1);
}

bool exists(const QByteArray& path) {
    struct stat st;
    return ::stat(path.constData(), &st) == 0;
}

std::optional<QByteArray> readRegularFile(const QByteArray& path, qint64 maxBytes) {
    return readRegularFileAt(AT_FDCWD, path.constData(), maxBytes);
}

std::optional<QByteArray> readRegularFileAt(int dirFd, const char* name, qint64 maxBytes) {
    const int fd = ::openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data;
    data.resize(qsizetype(st.st_size));
    qsizetype got = 0;
    for (;;) {
        if (got == data.size()) {
            // The file may have grown since fstat; keep reading up to the limit.
            if (data.size() >= maxBytes) {
                char probe;
                const ssize_t more = ::read(fd, &probe, 1);
                ::close(fd);
                if (more == 0) return data;
                return std::nullopt; // larger than the limit, or unreadable
            }
            data.resize(std::min<qint64>(maxBytes, std::max<qint64>(4096, data.size() * 2)));
        }
        const ssize_t r = ::read(fd, data.data() + got, size_t(data.size() - got));
        if (r < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (r == 0) break;
        got += r;
    }
    ::close(fd);
    data.resize(got);
    return data;
}

std::optional<QDateTime> modificationTime(const QByteArray& path) {
    struct stat st;
    if (::stat(path.constData(), &st) != 0) return std::nullopt;
    return daterange::fromSecsAndNanos(qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec));
}

} // namespace fileaccess
