#pragma once

#include "cli/ScanOptions.h"
#include "discovery/GitService.h"
#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <atomic>
#include <iosfwd>

class ProjectScanner;

// One repository of a --pull run and how it went.
struct PullLine {
    QByteArray path;
    SyncOutcome outcome;
};

// Pulls (fast-forward only) every repository among `projects` that a fetch could fast-forward,
// `parallel` at a time; the others come back skipped with the reason. Projects without a
// repository of their own are left out. In path order. A set `interrupt` stops the git runs.
QList<PullLine> pullRepositories(GitService& git, const QList<Project>& projects, int parallel,
                                 const std::atomic<bool>* interrupt);

// "path: result: reason" lines, the path relative to `root` ("." for the root itself), or a JSON
// array of {"path", "result", "reason"} with absolute paths.
void writePullText(const QList<PullLine>& lines, const QByteArray& root, std::ostream& out);
void writePullJson(const QList<PullLine>& lines, std::ostream& out);

// codeorchardist-scan --pull: scans `options.folder`, pulls, prints. 0 when every eligible
// repository was pulled or up to date, 1 when any failed, 130 when interrupted (nothing printed).
int runPullCommand(const ScanOptions& options, ProjectScanner& scanner, std::ostream& out, std::ostream& err,
                   bool showProgress, const std::atomic<bool>* interrupt);
