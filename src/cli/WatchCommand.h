#pragma once

#include "cli/ProjectFormats.h"
#include "model/Project.h"

#include <QList>

#include <iosfwd>

class ProjectScanner;
struct ScanOptions;

// What --watch prints with and where.
struct WatchOutput {
    bool json = false;   // JSON Lines; else table lines
    TableOptions table;  // for table lines (the heading is printed once, with the scan)
    std::ostream& out;
    std::ostream& err; // once the watches are in place: how many projects are followed
};

// codeorchardist-scan --watch: prints the scan's `projects` (JSON Lines for json: one object
// per line), then follows the disk and prints a project again each time its record changes
// (table: one line without heading; json: one object per line), and a project that is gone
// ({"removed": "<path>"}, or "removed <path>"). Once the watches are in place, a line on
// standard error says how many projects are followed. Runs until an interrupt arrives on
// `wakeDescriptor` (readable on an interrupt); returns the interrupted exit status.
int watchProjects(ProjectScanner& scanner, const ScanOptions& options, QList<Project> projects,
                  const WatchOutput& output, int wakeDescriptor);

// Whether `now` says something else than `before` about the project: every field but the
// record's and its remotes' ids, which each reading makes anew.
bool sameProjectState(const Project& before, const Project& now);
