#include "discovery/GitEnvironment.h"
#include "discovery/GitOutput.h"
#include "discovery/GitPreflight.h"
#include "discovery/GitService.h"
#include "discovery/Utf8.h"

namespace {

QString commits(int n) { return n == 1 ? QStringLiteral("1 commit") : QStringLiteral("%1 commits").arg(n); }

SyncOutcome stopped() { return {SyncResult::failed, QStringLiteral("Stopped"), QStringLiteral("stopped")}; }

// What a failed push said, in words: a rejection and an authentication failure keep git's
// first line.
SyncOutcome pushFailure(const ProcessResult& result, const RunProblem& problem) {
    if (result.outcome == ProcessResult::Outcome::cancelled) return stopped();
    if (!result.finished()) return {SyncResult::failed, QStringLiteral("Push failed: ") + gitProblemText(problem.problem),
                                    gitProblemText(problem.problem)};
    const QString line = gitsync::withoutSecrets(firstErrorLine(result.errorOutput));
    const QByteArray& err = result.errorOutput;
    if (err.contains("[rejected]") || err.contains("[remote rejected]"))
        return {SyncResult::failed, QStringLiteral("Push rejected: ") + line, QStringLiteral("rejected")};
    if (err.contains("Authentication failed") || err.contains("Permission denied") || err.contains("could not read Username") ||
        err.contains("terminal prompts disabled"))
        return {SyncResult::failed, QStringLiteral("Not authenticated: ") + line, QStringLiteral("not authenticated")};
    return {SyncResult::failed, QStringLiteral("Push failed: ") + (line.isEmpty() ? gitProblemText(problem.problem) : line),
            QStringLiteral("failed")};
}

} // namespace

SyncOutcome GitService::push(const QByteArray& folder, const std::atomic<bool>* cancel) {
    if (const auto unsafe = gitPreflightProblem(folder)) return {SyncResult::skipped, *unsafe, QStringLiteral("problem")};
    const StopScope stop(cancel);
    const GitReading reading = readState(folder);
    if (cancel && cancel->load()) return stopped();
    if (const SyncEligibility e = pushEligibility(reading.state); !e.allowed) return SyncOutcome::skipped(e);
    const QString branch = reading.branch.value_or(QString());
    if (branch.isEmpty())
        return {SyncResult::skipped, QStringLiteral("HEAD is not on a branch (detached)"), QStringLiteral("detached HEAD")};

    // The remote and the branch there that the upstream stands for.
    const ProcessResult target = runCheckedGit(
        {QStringLiteral("for-each-ref"), QStringLiteral("--format=%(upstream:remotename)%00%(upstream:remoteref)"),
         QStringLiteral("refs/heads/") + branch},
        folder);
    if (cancel && cancel->load()) return stopped();
    const QList<QByteArray> fields = target.output.trimmed().split('\0');
    if (!target.succeeded() || fields.size() != 2 || fields[0].isEmpty() || !fields[1].startsWith("refs/"))
        return {SyncResult::skipped, QStringLiteral("The upstream's remote branch could not be read"), QStringLiteral("no upstream")};
    if (fields[0] == ".")
        return {SyncResult::skipped, QStringLiteral("The upstream is a branch of this repository"), QStringLiteral("local upstream")};

    const QByteArray refspec = "refs/heads/" + branch.toUtf8() + ':' + fields[1];
    const ProcessResult pushed =
        runSyncGit({"push", "--quiet", "--no-verify", "--", fields[0], refspec}, folder,
                   gitenv::forFetch(m_environment, folder), m_fetchTimeout, cancel);
    if (pushed.succeeded())
        return {SyncResult::pushed,
                QStringLiteral("Pushed %1 to %2").arg(commits(reading.state.ahead.value_or(0)), *reading.state.upstream), {}};
    return pushFailure(pushed, problemOf(pushed, gitExecutableExists()));
}
