#include "cli/ScanCommand.h"

#include "cli/GraphFormat.h"
#include "cli/Interrupt.h"
#include "cli/ProjectFormats.h"
#include "cli/ScanOptions.h"
#include "cli/ScanRunner.h"
#include "cli/TreeFormat.h"
#include "discovery/ProjectScanner.h"

#include <QStringList>

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

constexpr const char* kUsage =
    "Usage: codeorchardist-scan [--max-depth N] [--format FORMAT] [--jobs N] [--progress] FOLDER\n"
    "\n"
    "Finds the software projects under FOLDER and prints their state.\n"
    "\n"
    "Options:\n"
    "  --max-depth N    how many folder levels below FOLDER to examine (default 10)\n"
    "  --format FORMAT  output format: %1 (default table)\n"
    "  --jobs N         how many git processes may run side by side (default: one per\n"
    "                   processor, at most 16)\n"
    "  --progress       show the progress line on standard error even when it is not a terminal\n"
    "  --no-progress    never show the progress line\n"
    "  --help           show this help\n"
    "  --version        show the version\n";

// A folder that exists and whose listing can be read.
bool isReadableFolder(const QByteArray& path) {
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    DIR* dir = ::opendir(path.constData());
    if (!dir) return false;
    ::closedir(dir);
    return true;
}

} // namespace

int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runScanCommand(args, out, err, ScanCommandContext{nullptr, &interrupt::flag(), ::isatty(STDERR_FILENO) == 1});
}

int runScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const ScanCommandContext& context) {
    QStringList names;
    for (const auto& [name, writer] : formatters()) names.append(name);

    const ScanOptionsResult parsed = parseScanOptions(args, names);
    if (!parsed.options) {
        err << "codeorchardist-scan: " << parsed.error << "\n";
        return 2;
    }
    const ScanOptions& options = *parsed.options;
    if (options.help) {
        out << QString::fromLatin1(kUsage).arg(names.join(QStringLiteral(", "))).toStdString();
        return 0;
    }
    if (options.version) {
        out << "codeorchardist-scan " << CODEORCHARDIST_VERSION << "\n";
        return 0;
    }
    if (!isReadableFolder(options.folder)) {
        err << "codeorchardist-scan: cannot read folder '" << QString::fromUtf8(options.folder).toStdString()
            << "'\n";
        return 2;
    }

    const bool showProgress = options.progress == ScanOptions::Progress::always ||
                              (options.progress == ScanOptions::Progress::whenTerminal && context.errorIsTerminal);
    ProjectScanner& scanner = context.scanner ? *context.scanner : ProjectScanner::shared();
    const std::optional<QList<Project>> scanned =
        runWatchedScan(scanner, ScanRequest{options.folder, options.maxDepth, options.jobs, nullptr},
                       showProgress ? &err : nullptr, context.interrupt);
    if (!scanned) return interrupt::kExitStatus;
    const QList<Project>& projects = *scanned;
    for (const auto& [name, writer] : formatters()) {
        if (name == options.format) writer(projects, options.folder, out);
    }
    out.flush();
    return 0;
}
