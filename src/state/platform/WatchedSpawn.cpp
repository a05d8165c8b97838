#include "state/platform/WatchedSpawn.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace watchedspawn {

Outcome run(const QByteArray& executable, const QList<QByteArray>& arguments, std::chrono::milliseconds patience) {
    if (executable.isEmpty() || executable.contains('\0')) return Outcome::notStarted;
    std::vector<QByteArray> storage{executable};
    for (const QByteArray& argument : arguments) {
        if (argument.contains('\0')) return Outcome::notStarted;
        storage.push_back(argument);
    }
    std::vector<char*> argv;
    for (QByteArray& item : storage) argv.push_back(item.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return Outcome::notStarted;

    // The reaper owns the wait; the caller only listens for as long as it is patient.
    auto status = std::make_shared<std::promise<int>>();
    std::future<int> ended = status->get_future();
    std::thread([pid, status] {
        int raw = 0;
        while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
        }
        status->set_value(raw);
    }).detach();
    if (ended.wait_for(patience) != std::future_status::ready) return Outcome::stillRunning;
    const int raw = ended.get();
    return WIFEXITED(raw) && WEXITSTATUS(raw) == 0 ? Outcome::succeeded : Outcome::failed;
}

} // namespace watchedspawn
