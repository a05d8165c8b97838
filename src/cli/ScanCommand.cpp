#include "cli/ScanCommand.h"

#include "cli/GraphFormat.h"
#include "cli/Interrupt.h"
#include "cli/ProjectFormats.h"
#include "cli/PullCommand.h"
#include "cli/ScanExitStatus.h"
#include "cli/ScanHelp.h"
#include "cli/ScanOptions.h"
#include "cli/ScanRunner.h"
#include "cli/TerminalText.h"
#include "cli/TreeFormat.h"
#include "cli/WatchCommand.h"
#include "discovery/FetchQueue.h"
#include "discovery/ProjectScanner.h"
#include "model/Attention.h"
#include "state/ResultsCache.h"

#include <QStringList>

#include <cstdlib>
#include <mutex>

#include <dirent.h>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const std::vector<std::pair<QString, ProjectFormatter>>& formatters() {
    static const std::vector<std::pair<QString, ProjectFormatter>> all = {
        {QStringLiteral("table"), &writeProjectTable},
        {QStringLiteral("json"), &writeProjectJson},
        {QStringLiteral("tree"), &writeProjectTree},
        {QStringLiteral("graph"), &writeProjectGraph},
    };
    return all;
}

// A folder that exists and whose listing can be read.
bool isReadableFolder(const QByteArray& path) {
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    DIR* dir = ::opendir(path.constData());
    if (!dir) return false;
    ::closedir(dir);
    return true;
}

constexpr int kParallelFetches = 4;

bool useColor(ColorMode mode, bool outIsTerminal) {
    switch (mode) {
    case ColorMode::never: return false;
    case ColorMode::always: return true;
    case ColorMode::automatic: {
        const char* noColor = std::getenv("NO_COLOR");
        return outIsTerminal && !(noColor && *noColor);
    }
    }
    return false;
}

// Fetches every readable repository among `projects`, `kParallelFetches` at a time; failures go
// to `err`, one line each, and progress too when `showProgress`. A set `interrupt` kills the
// running fetches and skips the rest; false then, with nothing more printed.
bool fetchRepositories(GitService& git, const QList<Project>& projects, std::ostream& err, bool showProgress,
                       const std::atomic<bool>* interrupt) {
    QList<QByteArray> folders;
    for (const Project& p : projects) {
        // Without remotes there is nothing to fetch from.
        if (p.hasGit && p.git && p.git->problem == GitProblem::none && !p.remotes.isEmpty()) folders.append(p.path);
    }
    std::mutex mutex;
    bool progressShown = false;
    const QList<FetchResult> results = fetchAll(git, folders, kParallelFetches, [&](int done, int total) {
        if (!showProgress) return;
        std::lock_guard lock(mutex);
        err << kClearLine << "Fetching " << done << "/" << total << std::flush;
        progressShown = true;
    }, interrupt);
    if (progressShown) err << kClearLine << std::flush;
    if (interrupt && interrupt->load()) return false;
    for (qsizetype i = 0; i < results.size(); ++i) {
        if (results[i].succeeded()) continue;
        err << "codeorchardist-scan: fetch failed in '" << QString::fromUtf8(folders[i]).toStdString()
            << "': " << gitProblemText(results[i].problem).toStdString();
        if (!results[i].detail.isEmpty()) err << ": " << results[i].detail.toStdString();
        err << "\n";
    }
    return true;
}

// An empty result is not an error, but a table of headings alone would leave the reader guessing.
void tellNoProjects(const QByteArray& folder, std::ostream& err) {
    err << "codeorchardist-scan: no projects under "
        << terminaltext::scrubbed(QString::fromUtf8(folder)).toStdString() << "\n";
}

} // namespace

int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const TerminalStreams& terminals) {
    return runScanCommand(args, out, err, ScanCommandContext{nullptr, nullptr, terminals});
}

int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const ScanCommandContext& context) {
    const TerminalStreams& terminals = context.terminals;
    QStringList names;
    for (const auto& [name, writer] : formatters()) names.append(name);

    const ScanOptionsResult parsed = parseScanOptions(args, names);
    if (!parsed.options) {
        err << "codeorchardist-scan: " << parsed.error << "\n";
        return scanexit::kUsage;
    }
    const ScanOptions& options = *parsed.options;
    if (options.help) {
        out << scanHelpText(names).toStdString();
        return scanexit::kDone;
    }
    if (options.version) {
        out << "codeorchardist-scan " << CODEORCHARDIST_VERSION << "\n";
        return scanexit::kDone;
    }
    const bool json = options.format == QLatin1String("json");
    if (options.watch && !json && options.format != QLatin1String("table")) {
        err << "codeorchardist-scan: --watch prints the table or the json format\n";
        return scanexit::kUsage;
    }
    if (options.watch && context.wakeDescriptor < 0) {
        err << "codeorchardist-scan: --watch cannot follow interrupts here\n";
        return scanexit::kUsage;
    }
    std::optional<QList<Project>> scanned;
    if (options.cached) {
        // The stored results stand for a folder that may be gone for now (a drive unplugged).
        std::optional<resultsformat::StoredResults> stored = ResultsCache().read(options.folder);
        if (!stored) {
            err << "codeorchardist-scan: no stored results of '"
                << terminaltext::scrubbed(QString::fromUtf8(options.folder)).toStdString()
                << "' (the window stores them after each scan)\n";
            return scanexit::kNoStoredResults;
        }
        scanned = std::move(stored->projects);
    } else if (!isReadableFolder(options.folder)) {
        err << "codeorchardist-scan: cannot read folder '" << QString::fromUtf8(options.folder).toStdString()
            << "'\n";
        return scanexit::kUsage;
    }

    const bool showProgress = options.progress == ScanOptions::Progress::always ||
                              (options.progress == ScanOptions::Progress::whenTerminal && terminals.err);
    ProjectScanner& scanner = context.scanner ? *context.scanner : ProjectScanner::shared();
    if (options.pull) return runPullCommand(options, scanner, out, err, showProgress, context.interrupt);
    const auto scan = [&] {
        return runWatchedScan(scanner, ScanRequest{options.folder, options.maxDepth, options.jobs, nullptr},
                              showProgress ? &err : nullptr, context.interrupt);
    };
    if (!scanned) scanned = scan();
    if (!scanned) return scanexit::kInterrupted;
    if (options.fetch) {
        if (!fetchRepositories(scanner.gitService(), *scanned, err, showProgress, context.interrupt))
            return scanexit::kInterrupted;
        scanned = scan();
        if (!scanned) return scanexit::kInterrupted;
    }
    QList<Project> projects = std::move(*scanned);
    if (projects.isEmpty()) tellNoProjects(options.folder, err);
    if (options.attention) projects.removeIf([](const Project& p) { return !needsAttention(p); });

    const TableOptions table{useColor(options.color, terminals.out), options.attention, terminals.columns};
    if (options.watch) return watchProjects(scanner, options, std::move(projects), WatchOutput{json, table, out, err}, context.wakeDescriptor);
    if (options.format == QLatin1String("table")) {
        writeProjectTable(projects, out, table);
    } else {
        for (const auto& [name, writer] : formatters()) {
            if (name == options.format) writer(projects, options.folder, out);
        }
    }
    out.flush();
    return options.attention && !projects.isEmpty() ? scanexit::kAttention : scanexit::kDone;
}
