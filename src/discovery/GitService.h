#pragma once

#include "model/GitRemote.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <chrono>
#include <atomic>
#include <optional>

// Answers questions about a folder's Git repository by running the git executable in it.
// Every call may be made from any thread, and calls from different threads run their git
// processes side by side; the process-wide `shared()` instance is the only one the application
// uses. Nothing is reported as an error; whatever goes wrong yields the operation's empty answer.
class GitService {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{30000};

    static GitService& shared();

    // `gitExecutable` and `timeout` exist for tests; the application uses "/usr/bin/git".
    explicit GitService(QByteArray gitExecutable = QByteArrayLiteral("/usr/bin/git"),
                        std::chrono::milliseconds timeout = kDefaultTimeout);

    // True when an entry named ".git" (folder or file) exists in the folder. Git is not run.
    bool isGitRepository(const QByteArray& folder) const;
    // "branch --show-current", trimmed; empty text for a detached head or a failing git.
    std::optional<QString> getCurrentBranch(const QByteArray& folder);
    // "remote -v": one remote per name, with the first location listed, sorted by name.
    QList<GitRemote> getRemotes(const QByteArray& folder);
    // "status --porcelain" printed anything.
    bool checkUncommittedChanges(const QByteArray& folder);
    // "log -1 --format=%ct" as a point in time.
    std::optional<QDateTime> getLastCommitDate(const QByteArray& folder);

    // Git's standard output as text; nothing when git could not be started, ran past the
    // time limit, or printed bytes that are not valid UTF-8.
    std::optional<QString> runGit(const QStringList& arguments, const QByteArray& folder);

    // The environment every git run gets: the process's own, plus GIT_OPTIONAL_LOCKS=0 and
    // core.fsmonitor forced off through git's environment configuration.
    static QList<QByteArray> gitEnvironment(const QList<QByteArray>& inherited);

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
    const QByteArray m_git;
    const std::chrono::milliseconds m_timeout;
    const QList<QByteArray> m_environment;
};

// Parsing of "remote -v" output, shared by getRemotes and its tests.
QList<GitRemote> parseRemotes(const QString& output);
// C-locale decimal number of seconds since the epoch; nothing unless the whole text is a number.
std::optional<QDateTime> parseCommitTime(const QString& trimmed);
