#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// codeorchardist-scan [OPTION]... FOLDER (the options are listed in ScanHelp.cpp)
// Arguments are the raw bytes the shell passed. Returns the process exit status:
// 0 on success, 2 for a bad option or an unusable FOLDER (one line on `err`, nothing on `out`).
// `terminalColumns` is the width of the terminal `out` writes to, empty when it is no terminal.
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   std::optional<int> terminalColumns = std::nullopt);
