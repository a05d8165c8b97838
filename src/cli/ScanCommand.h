#pragma once

#include <atomic>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Whether the output streams are terminals (colours and progress go only to terminals), and
// the width of the terminal standard output writes to.
struct TerminalStreams {
    bool out = false;
    bool err = false;
    std::optional<int> columns;
};

class ProjectScanner;

// What a scan command runs with besides its arguments.
struct ScanCommandContext {
    ProjectScanner* scanner = nullptr;            // the shared scanner when null
    const std::atomic<bool>* interrupt = nullptr; // stops the scan once true
    TerminalStreams terminals;
    int wakeDescriptor = -1; // readable on an interrupt: what ends --watch
};

// codeorchardist-scan [OPTION]... FOLDER (the options are listed in ScanHelp.cpp)
// Arguments are the raw bytes the shell passed. Returns the process exit status:
// 0 on success, 2 for a bad option or an unusable FOLDER (one line on `err`, nothing on `out`),
// 130 when the scan was interrupted (nothing on `out`); with --attention, 1 when any project
// needs attention. --watch runs until interrupted (130).
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const ScanCommandContext& context);
// The same with the shared scanner and no interrupt.
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const TerminalStreams& terminals = {});
