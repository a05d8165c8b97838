// The state of a bare repository: what git tells without a working tree.
#include "discovery/GitFolder.h"
#include "discovery/GitOutput.h"
#include "discovery/GitService.h"
#include "discovery/Utf8.h"


GitReading GitService::readBareState(const QByteArray& folder, const GitFolderInfo& info) {
    GitReading reading;
    GitState& state = reading.state;
    state.bare = true;
    state.lastFetched = info.lastFetched;
    const bool gitExists = gitExecutableExists();
    const auto decoded = [](const ProcessResult& r) -> std::optional<QString> {
        return r.finished() ? decodeUtf8(r.output) : std::nullopt;
    };

    const ProcessResult branch = runCheckedGit({QStringLiteral("branch"), QStringLiteral("--show-current")}, folder);
    if (const auto out = decoded(branch)) reading.branch = out->trimmed();
    const ProcessResult remotes = runCheckedGit({QStringLiteral("remote"), QStringLiteral("-v")}, folder);
    if (const auto out = decoded(remotes)) reading.remotes = parseRemotes(*out);
    // The full id first, as the status run gives it in a working tree.
    const ProcessResult log = runCheckedGit(
        {QStringLiteral("log"), QStringLiteral("-1"), QStringLiteral("--format=%H%x00%ct%x00%h%x00%an%x00%s")}, folder);
    if (const auto out = decoded(log); out && log.succeeded()) {
        const qsizetype zero = out->indexOf(QChar(u'\0'));
        if (zero > 0) {
            state.commit = out->left(zero);
            const LastCommitFields fields = parseLastCommit(out->mid(zero + 1));
            reading.lastCommitDate = parseCommitTime(fields.time);
            state.lastCommit = fields.summary;
        }
    }
    // A HEAD that names a branch prints it, born or not; one that names a commit prints nothing.
    state.detached = reading.branch && reading.branch->isEmpty() && state.commit.has_value();

    const auto note = [&](const RunProblem& p) {
        if (state.problem == GitProblem::none && p.problem != GitProblem::none) {
            state.problem = p.problem;
            state.problemDetail = p.detail;
        }
    };
    note(problemOf(branch, gitExists));
    note(problemOf(remotes, gitExists));
    // Before the first commit log exits with an error by design; a log that did not end is a problem.
    if (state.commit || log.outcome != ProcessResult::Outcome::exited) note(problemOf(log, gitExists));
    return reading;
}
