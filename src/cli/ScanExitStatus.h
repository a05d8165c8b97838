#pragma once

#include "cli/Interrupt.h"

#include <vector>

// The exit statuses of codeorchardist-scan, and what --help and the man page say of each.
namespace scanexit {

inline constexpr int kDone = 0;
inline constexpr int kAttention = 1; // --attention: some project needs attention
inline constexpr int kPullFailed = 1; // --pull: a repository could not be pulled
inline constexpr int kUsage = 2;     // a bad option or value, or a FOLDER that cannot be read
inline constexpr int kNoStoredResults = 3; // --cached: nothing stored for FOLDER
inline constexpr int kInterrupted = interrupt::kExitStatus;

struct StatusHelp {
    int status;
    const char* text; // one line
};

// Every status the scanner exits with, in increasing order.
const std::vector<StatusHelp>& statusTable();

} // namespace scanexit
