#include "state/ResultsFormat.h"

#include <QDataStream>
#include <QIODevice>
#include <QTimeZone>

namespace resultsformat {

namespace {

constexpr qsizetype kMagicSize = qsizetype(sizeof(kMagic) - 1);
// A project takes at least this many bytes (its id, the lengths and flags), so a count larger
// than the bytes left can only be damage.
constexpr qint64 kMinProjectBytes = 16 + 4 + 4 + 1 + 1 + 1 + 1 + 4 + 1 + 1 + 1 + 1;
constexpr qint64 kMinRemoteBytes = 16 + 4 + 4;
constexpr qsizetype kMaxZoneIdBytes = 128;
constexpr qint32 kMaxOffsetSeconds = 18 * 3600;

class Writer {
public:
    explicit Writer(QByteArray* bytes) : m_out(bytes, QIODevice::WriteOnly) { m_out.setVersion(QDataStream::Qt_6_4); }

    void raw(const char* data, qsizetype size) { m_out.writeRawData(data, int(size)); }
    template <typename T> void put(const T& value) { m_out << value; }
    void flag(bool value) { m_out << quint8(value ? 1 : 0); }
    void time(const QDateTime& value) {
        flag(value.isValid());
        if (!value.isValid()) return;
        m_out << qint64(value.toMSecsSinceEpoch()) << quint8(value.timeSpec()) << qint32(value.offsetFromUtc());
        m_out << (value.timeSpec() == Qt::TimeZone ? value.timeZone().id() : QByteArray());
    }
    template <typename T> void optional(const std::optional<T>& value) {
        flag(value.has_value());
        if (!value) return;
        if constexpr (std::is_same_v<T, QDateTime>) time(*value);
        else if constexpr (std::is_same_v<T, int>) m_out << qint32(*value);
        else m_out << *value;
    }

private:
    QDataStream m_out;
};

// Reads until the first fault; every later read then gives defaults and ok() stays false.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes), m_in(bytes) { m_in.setVersion(QDataStream::Qt_6_4); }

    bool ok() const { return m_ok && m_in.status() == QDataStream::Ok; }
    void fail() { m_ok = false; }
    qint64 left() const { return m_bytes.size() - m_in.device()->pos(); }
    bool atEnd() const { return m_in.atEnd(); }

    bool magic() {
        QByteArray head(kMagicSize, '\0');
        if (m_in.readRawData(head.data(), int(kMagicSize)) != kMagicSize || head != QByteArray(kMagic, kMagicSize)) fail();
        return ok();
    }
    template <typename T> T get() {
        T value{};
        if (ok()) m_in >> value;
        return value;
    }
    bool flag() {
        const auto value = get<quint8>();
        if (value > 1) fail();
        return value == 1;
    }
    // A count of entries of at least `minBytes` each, no more than `limit`.
    quint32 count(quint32 limit, qint64 minBytes) {
        const auto value = get<quint32>();
        if (value > limit || qint64(value) * minBytes > left()) fail();
        return ok() ? value : 0;
    }
    int nonNegative() {
        const auto value = get<qint32>();
        if (value < 0) fail();
        return value;
    }
    template <typename E> E enumeration(E last) {
        const auto value = get<quint8>();
        if (value > quint8(last)) fail();
        return E(value);
    }
    QDateTime time() {
        if (!flag()) return QDateTime();
        const auto msecs = get<qint64>();
        const auto spec = get<quint8>();
        const auto offset = get<qint32>();
        const auto zone = get<QByteArray>();
        // No place on earth is more than 18 hours off UTC.
        if (!ok() || offset < -kMaxOffsetSeconds || offset > kMaxOffsetSeconds) {
            fail();
            return QDateTime();
        }
        switch (spec) {
        case Qt::LocalTime: return QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime);
        case Qt::UTC: return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
        case Qt::OffsetFromUTC:
            return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, offset);
        case Qt::TimeZone: {
            if (zone.isEmpty() || zone.size() > kMaxZoneIdBytes) break;
            const QTimeZone timeZone(zone);
            // A zone this system does not know any longer: the same instant at its offset.
            if (!timeZone.isValid()) return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, offset);
            return QDateTime::fromMSecsSinceEpoch(msecs, timeZone);
        }
        default: break;
        }
        fail();
        return QDateTime();
    }
    template <typename T> std::optional<T> optional() {
        if (!flag()) return std::nullopt;
        if constexpr (std::is_same_v<T, QDateTime>) return time();
        else if constexpr (std::is_same_v<T, int>) return nonNegative();
        else return get<T>();
    }

private:
    const QByteArray& m_bytes;
    QDataStream m_in;
    bool m_ok = true;
};

void writeState(Writer& out, const GitState& git) {
    out.flag(git.bare);
    out.optional(git.commit);
    out.flag(git.detached);
    out.optional(git.upstream);
    out.optional(git.ahead);
    out.optional(git.behind);
    for (int count : {git.stashes, git.staged, git.unstaged, git.untracked, git.conflicted}) out.put(qint32(count));
    out.put(quint8(git.operation));
    out.optional(git.worktreeOf);
    out.flag(git.lastCommit.has_value());
    if (git.lastCommit) {
        out.put(git.lastCommit->id);
        out.put(git.lastCommit->author);
        out.put(git.lastCommit->subject);
    }
    out.optional(git.lastFetched);
    out.put(quint8(git.problem));
    out.put(git.problemDetail);
}

GitState readState(Reader& in) {
    GitState git;
    git.bare = in.flag();
    git.commit = in.optional<QString>();
    git.detached = in.flag();
    git.upstream = in.optional<QString>();
    git.ahead = in.optional<int>();
    git.behind = in.optional<int>();
    for (int* count : {&git.stashes, &git.staged, &git.unstaged, &git.untracked, &git.conflicted}) *count = in.nonNegative();
    git.operation = in.enumeration(GitOperation::bisect);
    git.worktreeOf = in.optional<QByteArray>();
    if (in.flag()) {
        GitCommitSummary summary;
        summary.id = in.get<QString>();
        summary.author = in.get<QString>();
        summary.subject = in.get<QString>();
        git.lastCommit = summary;
    }
    git.lastFetched = in.optional<QDateTime>();
    git.problem = in.enumeration(GitProblem::failed);
    git.problemDetail = in.get<QString>();
    return git;
}

void writeProject(Writer& out, const Project& project) {
    out.put(project.id);
    out.put(project.name);
    out.put(project.path);
    out.put(quint8(project.type));
    out.optional(project.version);
    out.optional(project.lastModified);
    out.optional(project.gitBranch);
    out.put(quint32(project.remotes.size()));
    for (const GitRemote& remote : project.remotes) {
        out.put(remote.id);
        out.put(remote.name);
        out.put(remote.url);
    }
    out.flag(project.hasUncommittedChanges);
    out.flag(project.hasGit);
    out.flag(project.git.has_value());
    if (project.git) writeState(out, *project.git);
    out.optional(project.repository);
}

Project readProject(Reader& in) {
    Project project;
    project.id = in.get<QUuid>();
    project.name = in.get<QString>();
    project.path = in.get<QByteArray>();
    project.type = in.enumeration(ProjectType::unknown);
    project.version = in.optional<QString>();
    project.lastModified = in.optional<QDateTime>();
    project.gitBranch = in.optional<QString>();
    const quint32 remotes = in.count(kMaxRemotes, kMinRemoteBytes);
    for (quint32 i = 0; i < remotes && in.ok(); ++i) {
        GitRemote remote;
        remote.id = in.get<QUuid>();
        remote.name = in.get<QString>();
        remote.url = in.get<QString>();
        project.remotes.append(remote);
    }
    project.hasUncommittedChanges = in.flag();
    project.hasGit = in.flag();
    if (in.flag()) project.git = readState(in);
    project.repository = in.optional<QByteArray>();
    return project;
}

} // namespace

QByteArray encode(const StoredResults& results) {
    QByteArray bytes;
    Writer out(&bytes);
    out.raw(kMagic, kMagicSize);
    out.put(kVersion);
    out.put(results.root);
    out.time(results.scanned);
    out.put(quint32(results.projects.size()));
    for (const Project& project : results.projects) writeProject(out, project);
    return bytes;
}

std::optional<StoredResults> decodeAnyRoot(const QByteArray& bytes) {
    if (bytes.size() > kMaxBytes) return std::nullopt;
    Reader in(bytes);
    if (!in.magic() || in.get<quint32>() != kVersion) return std::nullopt;
    StoredResults results;
    results.root = in.get<QByteArray>();
    results.scanned = in.time();
    const quint32 count = in.count(kMaxProjects, kMinProjectBytes);
    if (!in.ok() || results.root.isEmpty() || !results.scanned.isValid()) return std::nullopt;
    results.projects.reserve(count);
    for (quint32 i = 0; i < count && in.ok(); ++i) results.projects.append(readProject(in));
    // Bytes after the last project are not something encode() wrote.
    if (!in.ok() || !in.atEnd()) return std::nullopt;
    return results;
}

std::optional<StoredResults> decode(const QByteArray& bytes, const QByteArray& root) {
    std::optional<StoredResults> results = decodeAnyRoot(bytes);
    if (!results || results->root != root) return std::nullopt;
    return results;
}

} // namespace resultsformat
