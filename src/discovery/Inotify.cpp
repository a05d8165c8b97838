#include "discovery/Inotify.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

static_assert(Inotify::kFolderMask == (IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                       IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK));

Inotify::Inotify(Handler handler) : m_handler(std::move(handler)) {
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0) return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { readEvents(); });
}

Inotify::~Inotify() {
    delete m_notifier;
    if (m_fd >= 0) ::close(m_fd);
}

int Inotify::add(const QByteArray& path) {
    if (m_fd < 0) {
        errno = EBADF;
        return -1;
    }
    return ::inotify_add_watch(m_fd, path.constData(), kFolderMask);
}

void Inotify::remove(int wd) {
    if (m_fd >= 0 && wd >= 0) ::inotify_rm_watch(m_fd, wd);
}

void Inotify::readEvents() {
    // Room for many events at once; one event is at most the header and NAME_MAX + 1 bytes.
    alignas(struct inotify_event) char buffer[64 * 1024];
    QList<InotifyEvent> events;
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        for (ssize_t at = 0; at + ssize_t(sizeof(struct inotify_event)) <= got;) {
            struct inotify_event header;
            std::memcpy(&header, buffer + at, sizeof header);
            const char* name = buffer + at + sizeof header;
            const ssize_t next = at + ssize_t(sizeof header) + ssize_t(header.len);
            if (next > got) break;
            events.append(InotifyEvent{header.wd, header.mask,
                                       header.len ? QByteArray(name, qsizetype(::strnlen(name, header.len))) : QByteArray()});
            at = next;
        }
    }
    if (!events.isEmpty() && m_handler) m_handler(events);
}
