#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

class ProjectScanner;

// What a scan command runs with besides its arguments.
struct ScanCommandContext {
    ProjectScanner* scanner = nullptr;            // the shared scanner when null
    const std::atomic<bool>* interrupt = nullptr; // stops the scan once true
    bool errorIsTerminal = false;                 // `err` is a terminal: the progress line is shown
};

// codeorchardist-scan [--max-depth N] [--format table|json|tree|graph] [--jobs N] [--progress] FOLDER
// Arguments are the raw bytes the shell passed. Returns the process exit status:
// 0 on success, 2 for a bad option or an unusable FOLDER (one line on `err`, nothing on `out`),
// 130 when the scan was interrupted (nothing on `out`).
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const ScanCommandContext& context);
// The same with the shared scanner, the SIGINT flag and whether standard error is a terminal.
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
