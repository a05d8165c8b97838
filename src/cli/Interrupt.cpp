#include "cli/Interrupt.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace interrupt {

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

// The self-pipe: [read end, write end].
int g_wake[2] = {-1, -1};

extern "C" void onInterrupt(int) {
    g_interrupted.store(true);
    if (g_wake[1] >= 0) {
        const int saved = errno;
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(g_wake[1], &byte, 1);
        errno = saved;
    }
}

void setHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace

std::atomic<bool>& flag() { return g_interrupted; }

void catchInterrupt() {
    if (g_wake[0] < 0 && ::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) g_wake[0] = g_wake[1] = -1;
    setHandler(&onInterrupt);
}

int wakeDescriptor() { return g_wake[0]; }

void restoreDefault() { setHandler(SIG_DFL); }

} // namespace interrupt
