#pragma once

#include "discovery/GitSync.h"
#include "discovery/ProcessRunner.h"
#include "model/GitRemote.h"
#include "model/GitState.h"
#include "model/Project.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <optional>

struct GitFolderInfo;

// Everything one scan of a repository learns: the project's git fields and the sync state.
struct GitReading {
    std::optional<QString> branch; // as getCurrentBranch gives it
    QList<GitRemote> remotes;
    bool hasUncommittedChanges = false;
    std::optional<QDateTime> lastCommitDate;
    GitState state;
};

// How a fetch went.
struct FetchResult {
    GitProblem problem = GitProblem::none;
    QString detail; // git's first error line
    bool succeeded() const { return problem == GitProblem::none; }
};

// Answers questions about a folder's Git repository by running the git executable in it.
// Every call may be made from any thread, and calls from different threads run their git
// processes side by side; the process-wide `shared()` instance is the only one the application
// uses. The single questions yield their empty answer whatever goes wrong; readState also says
// what went wrong.
class GitService {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{30000};
    static constexpr std::chrono::milliseconds kDefaultFetchTimeout{60000};

    static GitService& shared();

    // `gitExecutable` and the time limits exist for tests; the application uses "/usr/bin/git".
    explicit GitService(QByteArray gitExecutable = QByteArrayLiteral("/usr/bin/git"),
                        std::chrono::milliseconds timeout = kDefaultTimeout,
                        std::chrono::milliseconds fetchTimeout = kDefaultFetchTimeout);

    // The whole state of the repository in `folder` from four git runs (branch, remotes,
    // porcelain v2 status with branch and stash headers, last commit) and its git folder; of a
    // bare repository from three (no status).
    // A run that git refused or that did not end gives the state a problem; the fields it
    // would have filled keep their empty values.
    GitReading readState(const QByteArray& folder);

    // "fetch --all --prune --quiet" in `folder`, never waiting on a prompt, within the fetch
    // time limit; `cancel` (may be null) stops it early.
    FetchResult fetch(const QByteArray& folder, const std::atomic<bool>* cancel = nullptr);

    // Fast-forwards the current branch to its upstream: the state is read again, a fetch runs
    // (as fetch() does), then "merge --ff-only" without autostash. Never a merge commit, a
    // rebase, a stash, a reset or a force; git's refusal because local changes would be
    // overwritten leaves everything as it was and comes back as skipped. `cancel` (may be
    // null) stops the git run under way.
    SyncOutcome pull(const QByteArray& folder, const std::atomic<bool>* cancel = nullptr);
    // Pushes the current branch to its upstream's branch (never forced), with the user's own
    // credentials and never a prompt, when it is ahead and not behind.
    SyncOutcome push(const QByteArray& folder, const std::atomic<bool>* cancel = nullptr);

    // True when an entry named ".git" (folder or file) exists in the folder. Git is not run.
    bool isGitRepository(const QByteArray& folder) const;
    // "branch --show-current", trimmed; empty text for a detached head or a failing git.
    std::optional<QString> getCurrentBranch(const QByteArray& folder);
    // "remote -v": one remote per name, with the first location listed, sorted by name.
    QList<GitRemote> getRemotes(const QByteArray& folder);
    // "status --porcelain=v2 --branch --show-stash" printed at least one entry line.
    bool checkUncommittedChanges(const QByteArray& folder);
    // "log -1 --format=%ct" as a point in time.
    std::optional<QDateTime> getLastCommitDate(const QByteArray& folder);

    // Git's standard output as text; nothing when git could not be started, ran past the
    // time limit, or printed bytes that are not valid UTF-8.
    std::optional<QString> runGit(const QStringList& arguments, const QByteArray& folder);
    // The whole result of one git run, standard error and exit status included. A folder
    // that fails the preflight check gets no run (a failed start).
    ProcessResult runGitFull(const QStringList& arguments, const QByteArray& folder);

    // While one lives, the git runs of the calling thread are killed (with their process
    // groups) as soon as `stop` becomes true, and yield nothing, as a run past its time limit.
    class StopScope {
    public:
        explicit StopScope(const std::atomic<bool>* stop);
        ~StopScope();
        StopScope(const StopScope&) = delete;
        StopScope& operator=(const StopScope&) = delete;

    private:
        const std::atomic<bool>* m_previous;
    };

private:
    // The environment of a fetch: no terminal prompt, SSH in batch mode unless the user chose
    // their own SSH command, and none of the repository's own programs.
    QList<QByteArray> fetchEnvironment(const QByteArray& folder);
    bool gitExecutableExists() const;
    // One git run of a pull or a push: git's messages in English (they are read), within
    // `timeout`, stopped by `cancel`.
    ProcessResult runSyncGit(const QList<QByteArray>& arguments, const QByteArray& folder,
                             QList<QByteArray> environment, std::chrono::milliseconds timeout,
                             const std::atomic<bool>* cancel);
    // runGitFull for a folder that has passed the preflight check.
    ProcessResult runCheckedGit(const QStringList& arguments, const QByteArray& folder);
    // readState for a bare repository: branch, remotes and last commit; no status, since
    // there is no working tree.
    GitReading readBareState(const QByteArray& folder, const GitFolderInfo& info);

    const QByteArray m_git;
    const std::chrono::milliseconds m_timeout;
    const std::chrono::milliseconds m_fetchTimeout;
    const QList<QByteArray> m_environment;
};

// Puts a reading into the project's git fields (branch, remotes, changes, last commit time, state).
void applyReading(Project& project, GitReading reading);

// Parsing of "remote -v" output, shared by getRemotes and its tests. Each line is the name, a
// tab, and the location followed by " (fetch)" or " (push)"; the location may hold spaces.
QList<GitRemote> parseRemotes(const QString& output);
// C-locale decimal number of seconds since the epoch; nothing unless the whole text is a number
// within the years 1 to 9999.
std::optional<QDateTime> parseCommitTime(const QString& trimmed);
