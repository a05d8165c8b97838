#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// codeorchardist-scan [--max-depth N] [--format table|json|tree|graph] FOLDER
// Arguments are the raw bytes the shell passed. Returns the process exit status:
// 0 on success, 2 for a bad option or an unusable FOLDER (one line on `err`, nothing on `out`).
int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
