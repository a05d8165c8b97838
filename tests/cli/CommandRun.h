#pragma once

#include "cli/ScanCommand.h"

#include <sstream>
#include <string>
#include <vector>

// Runs the scanner command in-process and keeps what it printed.
namespace clitest {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CommandResult run(const std::vector<std::string>& args, const ScanCommandContext& context) {
    std::ostringstream out, err;
    const int status = runScanCommand(args, out, err, context);
    return {status, out.str(), err.str()};
}

inline CommandResult run(const std::vector<std::string>& args, const TerminalStreams& terminals = {}) {
    return run(args, ScanCommandContext{nullptr, nullptr, terminals});
}

} // namespace clitest
