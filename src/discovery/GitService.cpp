#include "discovery/GitService.h"

#include "discovery/FileAccess.h"
#include "discovery/ProcessRunner.h"
#include "discovery/Utf8.h"

#include <QSet>

#include <algorithm>
#include <charconv>
#include <cmath>

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

GitService::GitService(QByteArray gitExecutable, std::chrono::milliseconds timeout)
    : m_git(std::move(gitExecutable)), m_timeout(timeout), m_environment(gitEnvironment(currentEnvironment())) {}

QList<QByteArray> GitService::gitEnvironment(const QList<QByteArray>& inherited) {
    QList<QByteArray> env;
    env.reserve(inherited.size() + 4);
    long long configCount = 0;
    for (const QByteArray& entry : inherited) {
        if (entry.startsWith("GIT_OPTIONAL_LOCKS=")) continue;
        if (entry.startsWith("GIT_CONFIG_COUNT=")) {
            bool ok = false;
            const long long n = entry.mid(int(sizeof("GIT_CONFIG_COUNT=") - 1)).toLongLong(&ok);
            if (ok && n >= 0 && n < 100000) configCount = n;
            continue;
        }
        env.append(entry);
    }
    const QByteArray index = QByteArray::number(configCount);
    env.append("GIT_OPTIONAL_LOCKS=0");
    env.append("GIT_CONFIG_KEY_" + index + "=core.fsmonitor");
    env.append("GIT_CONFIG_VALUE_" + index + "=false");
    env.append("GIT_CONFIG_COUNT=" + QByteArray::number(configCount + 1));
    return env;
}

bool GitService::isGitRepository(const QByteArray& folder) const {
    return fileaccess::exists(fileaccess::join(folder, ".git"));
}

std::optional<QString> GitService::runGit(const QStringList& arguments, const QByteArray& folder) {
    ProcessRequest request;
    request.program = m_git;
    for (const QString& a : arguments) request.arguments.append(a.toUtf8());
    request.workingDirectory = folder;
    request.environment = m_environment;
    request.timeout = m_timeout;

    request.cancel = t_stop;

    const std::optional<QByteArray> output = runProcess(request);
    if (!output) return std::nullopt;
    return decodeUtf8(*output);
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
    const auto out = runGit({QStringLiteral("status"), QStringLiteral("--porcelain")}, folder);
    return out && !trimmed(*out).isEmpty();
}

std::optional<QDateTime> GitService::getLastCommitDate(const QByteArray& folder) {
    const auto out = runGit({QStringLiteral("log"), QStringLiteral("-1"), QStringLiteral("--format=%ct")}, folder);
    if (!out) return std::nullopt;
    return parseCommitTime(trimmed(*out));
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
        const QList<QStringView> fields = splitBy(line, isFieldSeparator);
        if (fields.size() < 2) continue;
        const QString name = fields[0].toString();
        const QString canonical = name.normalized(QString::NormalizationForm_C);
        if (seen.contains(canonical)) continue;
        seen.insert(canonical);
        entries.append({name, fields[1].toString(), canonical.toUcs4()});
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
    // QDateTime's range is far wider, but keep the millisecond count within 64 bits.
    if (std::fabs(seconds) > 9.0e15) return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(seconds * 1000.0)), Qt::UTC);
}
