#include "discovery/GitService.h"

#include "discovery/FileAccess.h"
#include "discovery/GitEnvironment.h"
#include "discovery/GitFolder.h"
#include "discovery/GitOutput.h"
#include "discovery/GitPreflight.h"
#include "discovery/ProcessRunner.h"
#include "discovery/Utf8.h"

#include <QSet>

#include <cerrno>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unistd.h>

extern char** environ;

namespace {

bool isLineBreak(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

bool isFieldSeparator(QChar c) { return c == u'\t' || c.category() == QChar::Separator_Space; }

QList<QStringView> splitBy(QStringView text, bool (*isSeparator)(QChar)) {
    QList<QStringView> pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isSeparator(text[i])) {
            if (i > start) pieces.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    return pieces;
}

// Trims white space and line breaks at both ends.
QString trimmed(const QString& s) { return s.trimmed(); }

QList<QByteArray> currentEnvironment() {
    QList<QByteArray> env;
    for (char** e = environ; e && *e; ++e) env.append(QByteArray(*e));
    return env;
}

// The stop flag of the calling thread's StopScope.
thread_local const std::atomic<bool>* t_stop = nullptr;

} // namespace

GitService::StopScope::StopScope(const std::atomic<bool>* stop) : m_previous(t_stop) { t_stop = stop; }

GitService::StopScope::~StopScope() { t_stop = m_previous; }

GitService& GitService::shared() {
    // Never destroyed, like the scanner that uses it from its own thread until the process ends.
    static GitService* const instance = new GitService();
    return *instance;
}

GitService::GitService(QByteArray gitExecutable, std::chrono::milliseconds timeout,
                       std::chrono::milliseconds fetchTimeout)
    : m_git(std::move(gitExecutable)), m_timeout(timeout), m_fetchTimeout(fetchTimeout),
      m_environment(gitenv::baseEnvironment(currentEnvironment())) {}

bool GitService::isGitRepository(const QByteArray& folder) const {
    return fileaccess::exists(fileaccess::join(folder, ".git"));
}

bool GitService::gitExecutableExists() const { return ::access(m_git.constData(), X_OK) == 0; }

ProcessResult GitService::runGitFull(const QStringList& arguments, const QByteArray& folder) {
    // A repository whose files would block or mislead git gets no git run.
    if (gitPreflightProblem(folder)) {
        ProcessResult refused;
        refused.startError = EINVAL;
        return refused;
    }
    return runCheckedGit(arguments, folder);
}

ProcessResult GitService::runCheckedGit(const QStringList& arguments, const QByteArray& folder) {
    ProcessRequest request;
    request.program = m_git;
    for (const QString& a : arguments) request.arguments.append(a.toUtf8());
    request.workingDirectory = folder;
    request.environment = gitenv::forRepository(m_environment, folder);
    request.timeout = m_timeout;
    request.cancel = t_stop;
    return runProcessFull(request);
}

std::optional<QString> GitService::runGit(const QStringList& arguments, const QByteArray& folder) {
    const ProcessResult result = runGitFull(arguments, folder);
    if (!result.finished()) return std::nullopt;
    return decodeUtf8(result.output);
}

GitReading GitService::readState(const QByteArray& folder) {
    GitReading reading;
    GitState& state = reading.state;
    if (const auto unsafe = gitPreflightProblem(folder)) {
        // Git would wait on these files until its time limit, or read another repository.
        reading.branch = QString();
        state.problem = GitProblem::notARepository;
        state.problemDetail = *unsafe;
        return reading;
    }
    const GitFolderInfo info = gitfolder::read(folder);
    if (!info.valid) {
        // Git would look for a repository further up and answer for that one.
        reading.branch = QString();
        state.problem = GitProblem::notARepository;
        state.problemDetail = QStringLiteral("\".git\" does not lead to a git folder");
        return reading;
    }
    if (info.bare) return readBareState(folder, info);
    state.operation = info.operation;
    state.worktreeOf = info.worktreeOf;
    state.lastFetched = info.lastFetched;

    const bool gitExists = gitExecutableExists();
    const auto decoded = [](const ProcessResult& r) -> std::optional<QString> {
        return r.finished() ? decodeUtf8(r.output) : std::nullopt;
    };
    const auto note = [&](const RunProblem& p) {
        if (state.problem == GitProblem::none && p.problem != GitProblem::none) {
            state.problem = p.problem;
            state.problemDetail = p.detail;
        }
    };

    const ProcessResult branch = runCheckedGit({QStringLiteral("branch"), QStringLiteral("--show-current")}, folder);
    if (const auto out = decoded(branch)) reading.branch = trimmed(*out);
    const ProcessResult remotes = runCheckedGit({QStringLiteral("remote"), QStringLiteral("-v")}, folder);
    if (const auto out = decoded(remotes)) reading.remotes = parseRemotes(*out);
    const ProcessResult status = runCheckedGit({QStringLiteral("status"), QStringLiteral("--porcelain=v2"),
                                             QStringLiteral("--branch"), QStringLiteral("--show-stash")},
                                            folder);
    const RunProblem statusProblem = problemOf(status, gitExists);
    if (status.finished() && statusProblem.problem == GitProblem::none) {
        const PorcelainStatus parsed = parsePorcelainV2(status.output);
        reading.hasUncommittedChanges = parsed.hasEntries;
        state.commit = parsed.commit;
        state.detached = parsed.detached;
        state.upstream = parsed.upstream;
        state.ahead = parsed.ahead;
        state.behind = parsed.behind;
        state.stashes = parsed.stashes;
        state.staged = parsed.staged;
        state.unstaged = parsed.unstaged;
        state.untracked = parsed.untracked;
        state.conflicted = parsed.conflicted;
    }
    const ProcessResult log =
        runCheckedGit({QStringLiteral("log"), QStringLiteral("-1"), QStringLiteral("--format=%ct%x00%h%x00%an%x00%s")},
                   folder);
    if (const auto out = decoded(log)) {
        const LastCommitFields fields = parseLastCommit(*out);
        reading.lastCommitDate = parseCommitTime(fields.time);
        if (log.succeeded()) state.lastCommit = fields.summary;
    }

    // The status run speaks for the repository; the others only add what it could not see.
    note(statusProblem);
    note(problemOf(branch, gitExists));
    note(problemOf(remotes, gitExists));
    // Before the first commit log fails by design.
    if (state.commit || statusProblem.problem != GitProblem::none) note(problemOf(log, gitExists));
    return reading;
}

std::optional<QString> GitService::getCurrentBranch(const QByteArray& folder) {
    const auto out = runGit({QStringLiteral("branch"), QStringLiteral("--show-current")}, folder);
    if (!out) return std::nullopt;
    return trimmed(*out);
}

QList<GitRemote> GitService::getRemotes(const QByteArray& folder) {
    const auto out = runGit({QStringLiteral("remote"), QStringLiteral("-v")}, folder);
    if (!out) return {};
    return parseRemotes(*out);
}

bool GitService::checkUncommittedChanges(const QByteArray& folder) {
    const ProcessResult result = runGitFull({QStringLiteral("status"), QStringLiteral("--porcelain=v2"),
                                             QStringLiteral("--branch"), QStringLiteral("--show-stash")},
                                            folder);
    return result.finished() && parsePorcelainV2(result.output).hasEntries;
}

std::optional<QDateTime> GitService::getLastCommitDate(const QByteArray& folder) {
    const auto out = runGit({QStringLiteral("log"), QStringLiteral("-1"), QStringLiteral("--format=%ct")}, folder);
    if (!out) return std::nullopt;
    return parseCommitTime(trimmed(*out));
}

void applyReading(Project& project, GitReading reading) {
    project.gitBranch = std::move(reading.branch);
    project.remotes = std::move(reading.remotes);
    project.hasUncommittedChanges = reading.hasUncommittedChanges;
    project.lastModified = reading.lastCommitDate;
    project.git = std::move(reading.state);
}

QList<GitRemote> parseRemotes(const QString& output) {
    struct Entry {
        QString name;
        QString url;
        QList<uint> key; // code points of the canonically composed name
    };
    QList<Entry> entries;
    QSet<QString> seen;
    for (QStringView line : splitBy(output, isLineBreak)) {
        QString name;
        QString url;
        if (const qsizetype tab = line.indexOf(u'\t'); tab >= 0) {
            name = line.left(tab).trimmed().toString();
            QStringView rest = line.mid(tab + 1).trimmed();
            for (const QStringView marker : {QStringView(u" (fetch)"), QStringView(u" (push)")}) {
                if (rest.endsWith(marker)) {
                    rest.chop(marker.size());
                    break;
                }
            }
            url = rest.trimmed().toString();
        } else {
            const QList<QStringView> fields = splitBy(line, isFieldSeparator);
            if (fields.size() < 2) continue;
            name = fields[0].toString();
            url = fields[1].toString();
        }
        if (name.isEmpty() || url.isEmpty()) continue;
        const QString canonical = name.normalized(QString::NormalizationForm_C);
        if (seen.contains(canonical)) continue;
        seen.insert(canonical);
        entries.append({name, url, canonical.toUcs4()});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    QList<GitRemote> remotes;
    remotes.reserve(entries.size());
    for (const Entry& e : entries) remotes.append(GitRemote{QUuid::createUuid(), e.name, e.url});
    return remotes;
}

std::optional<QDateTime> parseCommitTime(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    if (bytes.isEmpty()) return std::nullopt;
    double seconds = 0;
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    const auto [ptr, ec] = std::from_chars(begin, end, seconds, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(seconds)) return std::nullopt;
    // Years 1 to 9999: every later sum or difference of such times stays in range.
    constexpr double kFirst = -62135596800.0; // 0001-01-01T00:00:00Z
    constexpr double kLast = 253402300799.0;  // 9999-12-31T23:59:59Z
    if (seconds < kFirst || seconds > kLast) return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(seconds * 1000.0)), Qt::UTC);
}
