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
bool waitForExit(pid_t pid, Clock::time_point deadline, int& status) {
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

ProcessResult runProcessFull(const ProcessRequest& request) {
    ProcessResult result;
    int outFds[2];
    int errFds[2];
    if (::pipe2(outFds, O_CLOEXEC) != 0) {
        result.startError = errno;
        return result;
    }
    if (::pipe2(errFds, O_CLOEXEC) != 0) {
        result.startError = errno;
        ::close(outFds[0]);
        ::close(outFds[1]);
        return result;
    }

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, outFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, errFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&setup.actions, request.workingDirectory.constData());

    // Own process group, so a timeout can end whatever the child started; default signal
    // handling and an empty mask, whatever the host application set up.
    sigset_t defaults, emptyMask;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
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
    ::close(outFds[1]);
    ::close(errFds[1]);
    if (spawnError != 0) {
        ::close(outFds[0]);
        ::close(errFds[0]);
        result.startError = spawnError;
        return result;
    }

    const Clock::time_point deadline = Clock::now() + request.timeout;
    const auto cancelled = [&] { return request.cancel && request.cancel->load(std::memory_order_relaxed); };
    char buffer[16384];
    pollfd pfds[2] = {{outFds[0], POLLIN, 0}, {errFds[0], POLLIN, 0}};
    int open = 2;
    ProcessResult::Outcome stopped = ProcessResult::Outcome::exited;
    while (open > 0) {
        if (cancelled()) {
            stopped = ProcessResult::Outcome::cancelled;
            break;
        }
        const int wait = request.cancel ? std::min(remainingMs(deadline), 50) : remainingMs(deadline);
        const int ready = ::poll(pfds, 2, wait);
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ready == 0) {
            if (remainingMs(deadline) == 0) {
                stopped = ProcessResult::Outcome::timedOut;
                break;
            }
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (pfds[i].fd < 0 || pfds[i].revents == 0) continue;
            const ssize_t n = ::read(pfds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                if (i == 0) {
                    result.output.append(buffer, n);
                } else if (result.errorOutput.size() < ProcessResult::kErrorLimit) {
                    result.errorOutput.append(buffer, std::min<qsizetype>(n, ProcessResult::kErrorLimit -
                                                                                 result.errorOutput.size()));
                }
            } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
                ::close(pfds[i].fd);
                pfds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& p : pfds) {
        if (p.fd >= 0) ::close(p.fd);
    }

    if (stopped != ProcessResult::Outcome::exited) {
        killAndReap(pid);
        result.outcome = stopped;
        return result;
    }
    // Output is closed; the child may still hold on (or a grandchild kept the pipes open
    // until now). Wait for it within what is left of the limit, in slices when cancellable.
    int status = 0;
    for (;;) {
        const Clock::time_point slice =
            request.cancel ? std::min(deadline, Clock::now() + std::chrono::milliseconds(50)) : deadline;
        if (waitForExit(pid, slice, status)) break;
        if (cancelled() || Clock::now() >= deadline) {
            killAndReap(pid);
            result.outcome = cancelled() ? ProcessResult::Outcome::cancelled : ProcessResult::Outcome::timedOut;
            return result;
        }
    }
    if (WIFEXITED(status)) {
        result.outcome = ProcessResult::Outcome::exited;
        result.exitCode = WEXITSTATUS(status);
    } else {
        result.outcome = ProcessResult::Outcome::signalled;
    }
    return result;
}

std::optional<QByteArray> runProcess(const ProcessRequest& request) {
    ProcessResult result = runProcessFull(request);
    if (!result.finished()) return std::nullopt;
    return std::move(result.output);
}
