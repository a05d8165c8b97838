#include "cli/PullCommand.h"

#include "cli/ProjectFormats.h"
#include "cli/ScanExitStatus.h"
#include "cli/ScanRunner.h"
#include "cli/TerminalText.h"
#include "discovery/ProjectScanner.h"
#include "model/SyncEligibility.h"

#include <algorithm>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

namespace {

constexpr int kParallelPulls = 4;

QString relativePath(const QByteArray& path, const QByteArray& root) {
    if (path == root) return QStringLiteral(".");
    const QByteArray prefix = root.endsWith('/') ? root : root + '/';
    return QString::fromUtf8(path.startsWith(prefix) ? path.mid(prefix.size()) : path);
}

} // namespace

QList<PullLine> pullRepositories(GitService& git, const QList<Project>& projects, int parallel,
                                 const std::atomic<bool>* interrupt) {
    QList<PullLine> lines;
    QList<qsizetype> toPull;
    for (const Project& p : projects) {
        if (!p.hasGit || !p.git) continue;
        const SyncEligibility eligible = pullEligibility(p, false);
        lines.append({p.path, eligible.allowed ? SyncOutcome{} : SyncOutcome::skipped(eligible)});
        if (eligible.allowed) toPull.append(lines.size() - 1);
    }
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < toPull.size(); i = next++) {
            PullLine& line = lines[toPull[i]];
            line.outcome = git.pull(line.path, interrupt);
        }
    };
    std::vector<std::thread> threads;
    const int workers = std::clamp(parallel, 1, int(std::max<qsizetype>(1, toPull.size())));
    for (int w = 1; w < workers; ++w) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    std::sort(lines.begin(), lines.end(), [](const PullLine& a, const PullLine& b) { return a.path < b.path; });
    return lines;
}

void writePullText(const QList<PullLine>& lines, const QByteArray& root, std::ostream& out) {
    for (const PullLine& line : lines) {
        out << terminaltext::scrubbed(relativePath(line.path, root)).toStdString() << ": "
            << syncResultKey(line.outcome.result).toStdString() << ": "
            << terminaltext::scrubbed(line.outcome.reason).toStdString() << "\n";
    }
}

void writePullJson(const QList<PullLine>& lines, std::ostream& out) {
    out << "[";
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out << (i ? ",\n  " : "\n  ") << "{\"path\": " << jsonQuoted(QString::fromUtf8(lines[i].path))
            << ", \"result\": " << jsonQuoted(syncResultKey(lines[i].outcome.result))
            << ", \"reason\": " << jsonQuoted(lines[i].outcome.reason) << "}";
    }
    out << (lines.isEmpty() ? "]\n" : "\n]\n");
}

int runPullCommand(const ScanOptions& options, ProjectScanner& scanner, std::ostream& out, std::ostream& err,
                   bool showProgress, const std::atomic<bool>* interrupt) {
    const std::optional<QList<Project>> scanned =
        runWatchedScan(scanner, ScanRequest{options.folder, options.maxDepth, options.jobs, nullptr},
                       showProgress ? &err : nullptr, interrupt);
    if (!scanned) return scanexit::kInterrupted;
    if (showProgress) err << "Pulling..." << std::flush;
    const QList<PullLine> lines = pullRepositories(scanner.gitService(), *scanned, kParallelPulls, interrupt);
    if (showProgress) err << kClearLine << std::flush;
    if (interrupt && interrupt->load()) return scanexit::kInterrupted;
    if (lines.isEmpty())
        err << "codeorchardist-scan: no repositories under "
            << terminaltext::scrubbed(QString::fromUtf8(options.folder)).toStdString() << "\n";
    if (options.format == QLatin1String("json")) writePullJson(lines, out);
    else writePullText(lines, options.folder, out);
    out.flush();
    const bool failed = std::any_of(lines.begin(), lines.end(),
                                    [](const PullLine& l) { return l.outcome.result == SyncResult::failed; });
    return failed ? scanexit::kPullFailed : scanexit::kDone;
}
