#include "discovery/ProcessRunner.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attr);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : int(std::min<long long>(left, 1 << 30));
}

// Waits for the child until the deadline; false when it is still running then.
bool waitForExit(pid_t pid, Clock::time_point deadline) {
    int status = 0;
    if (const int pidFd = int(::syscall(SYS_pidfd_open, pid, 0)); pidFd >= 0) {
        // The descriptor becomes readable when the child exits: no polling delay.
        pollfd pfd{pidFd, POLLIN, 0};
        int ready;
        while ((ready = ::poll(&pfd, 1, remainingMs(deadline))) < 0 && errno == EINTR) {
        }
        ::close(pidFd);
        if (ready == 0) return false;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return true;
    }
    int delayMs = 1;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid || (r < 0 && errno != EINTR)) return true;
        if (r == 0 && remainingMs(deadline) == 0) return false;
        ::poll(nullptr, 0, std::min(delayMs, std::max(1, remainingMs(deadline))));
        delayMs = std::min(delayMs * 2, 50);
    }
}

void killAndReap(pid_t pid) {
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

std::optional<QByteArray> runProcess(const ProcessRequest& request) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;

    SpawnSetup setup;
    posix_spawn_file_actions_adddup2(&setup.actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&setup.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&setup.actions, request.workingDirectory.constData());

    // Own process group, so a timeout can end whatever the child started; default signal
    // handling and an empty mask, whatever the host application set up.
    sigset_t defaults, emptyMask;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    sigemptyset(&emptyMask);
    posix_spawnattr_setsigdefault(&setup.attr, &defaults);
    posix_spawnattr_setsigmask(&setup.attr, &emptyMask);
    posix_spawnattr_setpgroup(&setup.attr, 0);
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF |
                                               POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_USEVFORK);

    std::vector<char*> argv;
    argv.reserve(size_t(request.arguments.size()) + 2);
    argv.push_back(const_cast<char*>(request.program.constData()));
    for (const QByteArray& a : request.arguments) argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    envp.reserve(size_t(request.environment.size()) + 1);
    for (const QByteArray& e : request.environment) envp.push_back(const_cast<char*>(e.constData()));
    envp.push_back(nullptr);

    pid_t pid = -1;
    const int spawnError =
        ::posix_spawn(&pid, request.program.constData(), &setup.actions, &setup.attr, argv.data(), envp.data());
    ::close(pipeFds[1]);
    if (spawnError != 0) {
        ::close(pipeFds[0]);
        return std::nullopt;
    }

    const Clock::time_point deadline = Clock::now() + request.timeout;
    QByteArray output;
    char buffer[16384];
    bool timedOut = false;
    for (;;) {
        pollfd pfd{pipeFds[0], POLLIN, 0};
        const int ready = ::poll(&pfd, 1, remainingMs(deadline));
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ready == 0) {
            timedOut = true;
            break;
        }
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR && errno != EAGAIN) {
            break;
        }
    }
    ::close(pipeFds[0]);

    if (timedOut || !waitForExit(pid, deadline)) {
        killAndReap(pid);
        return std::nullopt;
    }
    return output;
}
