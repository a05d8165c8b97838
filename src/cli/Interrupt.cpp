#include "cli/Interrupt.h"

#include <csignal>

namespace interrupt {

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void onInterrupt(int) { g_interrupted.store(true); }

void setHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace

std::atomic<bool>& flag() { return g_interrupted; }

void catchInterrupt() { setHandler(&onInterrupt); }

void restoreDefault() { setHandler(SIG_DFL); }

} // namespace interrupt
