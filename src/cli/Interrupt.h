#pragma once

#include <atomic>

// The command-line scanner's answer to an interrupt (Ctrl+C): a flag the scan watches.
namespace interrupt {

// Set by the SIGINT handler.
std::atomic<bool>& flag();
// From now on SIGINT sets flag() instead of ending the program.
void catchInterrupt();
// SIGINT ends the program again.
void restoreDefault();

// The exit status of a program ended by an interrupt (128 + SIGINT).
inline constexpr int kExitStatus = 130;

} // namespace interrupt
