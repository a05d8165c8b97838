#include "discovery/GitOutput.h"

#include <charconv>
#include <cstring>

namespace {

std::optional<int> parseCount(QByteArrayView text) {
    int value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || value < 0) return std::nullopt;
    return value;
}

QString lenientText(QByteArrayView bytes) { return QString::fromUtf8(bytes); }

void parseHeader(QByteArrayView line, PorcelainStatus& status) {
    const auto valueAfter = [&](const char* key) -> std::optional<QByteArrayView> {
        const qsizetype n = qsizetype(std::strlen(key));
        if (line.size() <= n || !line.startsWith(QByteArrayView(key, n)) || line[n] != ' ') return std::nullopt;
        return line.sliced(n + 1);
    };
    if (const auto v = valueAfter("# branch.oid")) {
        if (*v != "(initial)") status.commit = lenientText(*v);
    } else if (const auto v = valueAfter("# branch.head")) {
        status.detached = *v == "(detached)";
    } else if (const auto v = valueAfter("# branch.upstream")) {
        status.upstream = lenientText(*v);
    } else if (const auto v = valueAfter("# branch.ab")) {
        // "+A -B"
        const qsizetype space = v->indexOf(' ');
        if (space > 1 && v->startsWith('+') && v->size() > space + 2 && (*v)[space + 1] == '-') {
            const auto a = parseCount(v->sliced(1, space - 1));
            const auto b = parseCount(v->sliced(space + 2));
            if (a && b) {
                status.ahead = a;
                status.behind = b;
            }
        }
    } else if (const auto v = valueAfter("# stash")) {
        status.stashes = parseCount(*v).value_or(0);
    }
}

void parseEntry(QByteArrayView line, PorcelainStatus& status) {
    status.hasEntries = true;
    switch (line[0]) {
    case '1':
    case '2':
        if (line.size() >= 4) {
            if (line[2] != '.') ++status.staged;
            if (line[3] != '.') ++status.unstaged;
        }
        break;
    case 'u': ++status.conflicted; break;
    case '?': ++status.untracked; break;
    default: break;
    }
}

} // namespace

PorcelainStatus parsePorcelainV2(const QByteArray& output) {
    PorcelainStatus status;
    qsizetype start = 0;
    while (start < output.size()) {
        qsizetype end = output.indexOf('\n', start);
        if (end < 0) end = output.size();
        QByteArrayView line(output.constData() + start, end - start);
        if (line.endsWith('\r')) line.chop(1);
        if (!line.isEmpty()) {
            if (line[0] == '#') parseHeader(line, status);
            else parseEntry(line, status);
        }
        start = end + 1;
    }
    return status;
}

LastCommitFields parseLastCommit(const QString& output) {
    LastCommitFields fields;
    const QStringList parts = output.split(QChar(u'\0'));
    fields.time = parts.value(0).trimmed();
    if (parts.size() >= 4) {
        // The subject may itself hold the separator only if git printed garbage; keep the rest.
        const QString subject = parts.mid(3).join(QChar(u' ')).trimmed();
        fields.summary = GitCommitSummary{parts[1], parts[2], subject};
    }
    return fields;
}

QString firstErrorLine(const QByteArray& errorOutput) {
    for (const QByteArray& line : errorOutput.split('\n')) {
        const QByteArray t = line.trimmed();
        if (!t.isEmpty()) return QString::fromUtf8(t);
    }
    return {};
}

RunProblem problemOf(const ProcessResult& result, bool gitExecutableExists) {
    using Outcome = ProcessResult::Outcome;
    switch (result.outcome) {
    case Outcome::timedOut: return {GitProblem::timeout, {}};
    case Outcome::cancelled: return {GitProblem::failed, QStringLiteral("cancelled")};
    case Outcome::failedToStart:
        if (!gitExecutableExists) return {GitProblem::gitMissing, {}};
        return {GitProblem::failed, QString::fromLocal8Bit(std::strerror(result.startError))};
    case Outcome::signalled:
        return {GitProblem::failed, QStringLiteral("git was stopped by a signal")};
    case Outcome::exited: break;
    }
    if (result.exitCode == 0) return {};
    const QString line = firstErrorLine(result.errorOutput);
    if (result.errorOutput.contains("dubious ownership")) return {GitProblem::dubiousOwnership, line};
    if (result.errorOutput.contains("not a git repository")) return {GitProblem::notARepository, line};
    return {GitProblem::failed, line};
}
