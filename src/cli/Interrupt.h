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
// A descriptor that becomes readable at each interrupt caught (a byte per interrupt), for an
// event loop to wake on; -1 before catchInterrupt() or when no pipe could be made.
int wakeDescriptor();

// The exit status of a program ended by an interrupt (128 + SIGINT).
inline constexpr int kExitStatus = 130;

} // namespace interrupt
