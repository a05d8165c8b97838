#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Whether the output streams are terminals (colours and progress go only to terminals).
struct TerminalStreams {
    bool out = false;
    bool err = false;
};

// codeorchardist-scan [--max-depth N] [--format table|json|tree|graph] [--attention] [--fetch]
//                     [--color never|auto|always] FOLDER
// Arguments are the raw bytes the shell passed. Returns the process exit status:
// 0 on success, 2 for a bad option or an unusable FOLDER (one line on `err`, nothing on `out`);
// with --attention, 1 when any project needs attention.
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const TerminalStreams& terminals);
