#include "discovery/GitEnvironment.h"
#include "discovery/GitEnvironmentConfig.h"
#include "discovery/GitOutput.h"
#include "discovery/GitPreflight.h"
#include "discovery/GitService.h"

namespace {

QString commits(int n) { return n == 1 ? QStringLiteral("1 commit") : QStringLiteral("%1 commits").arg(n); }

SyncOutcome failure(const RunProblem& problem, const QString& what) {
    if (problem.detail == QLatin1String("cancelled")) return {SyncResult::failed, QStringLiteral("Stopped"), QStringLiteral("stopped")};
    QString reason = what + QStringLiteral(": ") + gitProblemText(problem.problem);
    if (!problem.detail.isEmpty()) reason = what + QStringLiteral(": ") + gitsync::withoutSecrets(problem.detail);
    return {SyncResult::failed, reason, gitProblemText(problem.problem)};
}

} // namespace

ProcessResult GitService::runSyncGit(const QList<QByteArray>& arguments, const QByteArray& folder,
                                     QList<QByteArray> environment, std::chrono::milliseconds timeout,
                                     const std::atomic<bool>* cancel) {
    ProcessRequest request;
    request.program = m_git;
    request.arguments = arguments;
    request.workingDirectory = folder;
    gitenv::removeVariable(environment, "LANGUAGE");
    gitenv::setVariable(environment, "LC_ALL", "C");
    request.environment = std::move(environment);
    request.timeout = timeout;
    request.cancel = cancel;
    return runProcessFull(request);
}

SyncOutcome GitService::pull(const QByteArray& folder, const std::atomic<bool>* cancel) {
    if (const auto unsafe = gitPreflightProblem(folder)) return {SyncResult::skipped, *unsafe, QStringLiteral("problem")};
    const StopScope stop(cancel);
    const GitReading before = readState(folder);
    if (cancel && cancel->load()) return {SyncResult::failed, QStringLiteral("Stopped"), QStringLiteral("stopped")};
    if (const SyncEligibility e = pullEligibility(before.state, false); !e.allowed) return SyncOutcome::skipped(e);

    // An upstream on a branch of this repository needs no fetch.
    if (!before.remotes.isEmpty()) {
        const FetchResult fetched = fetch(folder, cancel);
        if (!fetched.succeeded()) return failure({fetched.problem, fetched.detail}, QStringLiteral("Fetch failed"));
    }
    const GitReading after = readState(folder);
    if (cancel && cancel->load()) return {SyncResult::failed, QStringLiteral("Stopped"), QStringLiteral("stopped")};
    if (const SyncEligibility e = pullEligibility(after.state, false); !e.allowed) return SyncOutcome::skipped(e);
    const int behind = after.state.behind.value_or(0);
    const QString upstream = after.state.upstream.value_or(QString());
    if (behind == 0) return {SyncResult::upToDate, QStringLiteral("Up to date with ") + upstream, {}};

    const ProcessResult merged =
        runSyncGit({"merge", "--ff-only", "--no-autostash", "--no-stat", "--quiet", "--no-edit", "@{upstream}"},
                   folder, gitenv::forRepository(m_environment, folder), m_fetchTimeout, cancel);
    if (merged.succeeded())
        return {SyncResult::pulled, QStringLiteral("Fast-forwarded to %1 (%2)").arg(upstream, commits(behind)), {}};
    const RunProblem problem = problemOf(merged, gitExecutableExists());
    if (merged.finished()) {
        const QStringList files = gitsync::overwrittenFiles(merged.errorOutput);
        if (!files.isEmpty() || merged.errorOutput.contains("would be overwritten"))
            return {SyncResult::skipped, gitsync::overwrittenMessage(files), QStringLiteral("local changes")};
        if (merged.errorOutput.contains("Not possible to fast-forward"))
            return {SyncResult::skipped, QStringLiteral("Diverged from %1: merge or rebase in a terminal").arg(upstream),
                    QStringLiteral("diverged")};
    }
    return failure(problem, QStringLiteral("Fast-forward failed"));
}
