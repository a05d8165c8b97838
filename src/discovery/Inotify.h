#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <functional>

class QSocketNotifier;

// One event read from the kernel: the watch it came from, its mask and the entry's name
// inside the watched folder ("" for an event of the folder itself).
struct InotifyEvent {
    int wd = -1;
    std::uint32_t mask = 0;
    QByteArray name;
};

// The kernel's inotify instance of this object: a non-blocking descriptor read on the
// event loop of the thread that made it, whenever the kernel has events for it.
class Inotify {
public:
    using Handler = std::function<void(const QList<InotifyEvent>&)>;

    // The folder events a watch reports: every entry made, removed, renamed, written or given
    // other permissions, and the end of the folder itself.
    static constexpr std::uint32_t kFolderMask = 0x00000008 /*IN_CLOSE_WRITE*/ | 0x00000004 /*IN_ATTRIB*/ | 0x00000100 /*IN_CREATE*/ |
                                                 0x00000200 /*IN_DELETE*/ | 0x00000040 /*IN_MOVED_FROM*/ |
                                                 0x00000080 /*IN_MOVED_TO*/ | 0x00000400 /*IN_DELETE_SELF*/ |
                                                 0x00000800 /*IN_MOVE_SELF*/ | 0x01000000 /*IN_ONLYDIR*/ |
                                                 0x04000000 /*IN_EXCL_UNLINK*/;

    explicit Inotify(Handler handler);
    ~Inotify();
    Inotify(const Inotify&) = delete;
    Inotify& operator=(const Inotify&) = delete;

    // Whether the kernel gave an instance (false: nothing is ever watched).
    bool isOpen() const { return m_fd >= 0; }
    // Watches the folder `path`; the watch descriptor, or -1 with errno set. The same folder
    // (the same inode) always gives the same descriptor.
    int add(const QByteArray& path);
    // Ends a watch; the kernel then reports IN_IGNORED for it.
    void remove(int wd);

private:
    void readEvents();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    Handler m_handler;
};
