#include "state/ResultsCache.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using resultsformat::StoredResults;

namespace {

const QByteArray kRoot("/home/ann/d\xe9v");

// Every field set, none at its default.
Project fullProject() {
    Project p;
    p.id = QUuid::createUuid();
    p.name = QStringLiteral("caf\u00e9 \U0001F600");
    p.path = kRoot + QByteArray("/bad\xff\x01name");
    p.type = ProjectType::rust;
    p.version = QStringLiteral("1.2.3");
    p.lastModified = QDateTime::fromMSecsSinceEpoch(1700000000123, QTimeZone("Europe/Berlin"));
    p.gitBranch = QString(""); // git printed an empty branch: a value, not absent
    p.remotes = {{QUuid::createUuid(), QStringLiteral("origin"), QStringLiteral("git@host:a/b.git")},
                 {QUuid::createUuid(), QStringLiteral("up"), QStringLiteral("https://h/x")}};
    p.hasUncommittedChanges = true;
    p.hasGit = true;
    GitState g;
    g.commit = QStringLiteral("0123456789abcdef0123456789abcdef01234567");
    g.detached = true;
    g.upstream = QStringLiteral("origin/main");
    g.ahead = 3;
    g.behind = 0;
    g.stashes = 1;
    g.staged = 2;
    g.unstaged = 4;
    g.untracked = 5;
    g.conflicted = 6;
    g.operation = GitOperation::cherryPick;
    g.worktreeOf = kRoot + "/main";
    g.lastCommit = GitCommitSummary{QStringLiteral("0123456"), QStringLiteral("Ann"), QStringLiteral("Fix \u00fc")};
    g.lastFetched = QDateTime::fromMSecsSinceEpoch(1600000000000, Qt::OffsetFromUTC, -5 * 3600);
    p.git = g;
    p.repository = kRoot + "/outer";
    return p;
}

Project bareProblem() {
    Project p;
    p.id = QUuid::createUuid();
    p.name = QStringLiteral("bare.git");
    p.path = kRoot + "/bare.git";
    p.hasGit = true;
    p.lastModified = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
    GitState g;
    g.bare = true;
    g.problem = GitProblem::dubiousOwnership;
    g.problemDetail = QStringLiteral("fatal: detected dubious ownership");
    p.git = g;
    return p;
}

StoredResults sample() {
    Project plain; // every field at its default, a null name included
    plain.id = QUuid::createUuid();
    plain.path = kRoot + "/plain";
    return StoredResults{kRoot, QDateTime::fromMSecsSinceEpoch(1765000000000, Qt::UTC), {fullProject(), bareProblem(), plain}};
}

TEST(ResultsFormat, EveryFieldComesBackExactly) {
    const StoredResults results = sample();
    const std::optional<StoredResults> back = resultsformat::decode(resultsformat::encode(results), kRoot);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, results);
    // Equal instants are not enough: the zone and the offset come back too.
    EXPECT_EQ(back->projects[0].lastModified->timeZone().id(), QByteArray("Europe/Berlin"));
    EXPECT_EQ(back->projects[0].git->lastFetched->offsetFromUtc(), -5 * 3600);
    EXPECT_TRUE(back->projects[2].name.isNull());
}

// Patches the big-endian 32-bit number at `at`.
QByteArray patched(QByteArray bytes, qsizetype at, quint32 value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (24 - 8 * i));
    return bytes;
}

TEST(ResultsFormat, IgnoresEveryForeignOrDamagedForm) {
    const StoredResults results = sample();
    const QByteArray good = resultsformat::encode(results);
    const qsizetype magic = qsizetype(sizeof(resultsformat::kMagic) - 1);
    // The project count follows the root (length + bytes) and the scan time (flag, 8, 1, 4, 4).
    const qsizetype countAt = magic + 4 + 4 + kRoot.size() + 1 + 8 + 1 + 4 + 4;
    ASSERT_EQ(patched(good, countAt, 3), good); // the offset is right
    const Project& first = results.projects[0];
    const qsizetype kindAt = countAt + 4 + 16 + 4 + first.name.size() * 2 + 4 + first.path.size();
    ASSERT_EQ(good[kindAt], char(ProjectType::rust));
    const qsizetype remotesAt = good.indexOf(QByteArray("\0\0\0\2", 4) + first.remotes[0].id.toRfc4122());
    ASSERT_GT(remotesAt, kindAt);
    struct Case {
        const char* name;
        QByteArray bytes;
        QByteArray root = kRoot;
    };
    QByteArray otherMagic = good;
    otherMagic[0] = 'X';
    QByteArray badEnum = good;
    badEnum[kindAt] = char(200);
    const Case cases[] = {
        {"empty", {}},
        {"magic only", good.left(magic)},
        {"cut in the header", good.left(countAt - 3)},
        {"cut after the count", good.left(countAt + 4)},
        {"cut in the first project", good.left(countAt + 40)},
        {"cut one byte short", good.chopped(1)},
        {"one byte more", good + 'x'},
        {"another version", patched(good, magic, resultsformat::kVersion + 1)},
        {"another root", good, "/home/ann/other"},
        {"a root that is a prefix", good, kRoot.chopped(1)},
        {"not ours", otherMagic},
        {"text", QByteArray("[{\"name\": \"x\"}]")},
        {"absurd project count", patched(good, countAt, 0xffffffffu)},
        {"more projects than bytes", patched(good, countAt, 1000)},
        {"absurd remote count", patched(good, remotesAt, 0x7fffffffu)},
        {"kind out of range", badEnum},
        {"too large", good + QByteArray(resultsformat::kMaxBytes, '\0')},
    };
    for (const Case& c : cases) EXPECT_FALSE(resultsformat::decode(c.bytes, c.root)) << c.name;
}

TEST(ResultsCache, StoresOneFilePerRootReadableByTheUserAlone) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("cache/codeorchardist"));
    ResultsCache cache(folder);
    EXPECT_FALSE(cache.read(kRoot)); // nothing stored yet
    const StoredResults results = sample();
    StoredResults other = results;
    other.root = "/elsewhere";
    ASSERT_TRUE(cache.write(results));
    ASSERT_TRUE(cache.write(other));
    EXPECT_NE(cache.fileName(kRoot), cache.fileName(other.root));
    EXPECT_EQ(cache.read(kRoot), results);
    EXPECT_EQ(cache.read("/elsewhere")->root, QByteArray("/elsewhere"));

    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(cache.fileName(kRoot)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // Another root's file put in place of this one's is not shown for this root, and the next
    // write replaces it.
    QFile::remove(cache.fileName(kRoot));
    ASSERT_TRUE(QFile::copy(cache.fileName(other.root), cache.fileName(kRoot)));
    EXPECT_FALSE(cache.read(kRoot));
    StoredResults newer = results;
    newer.projects.removeLast();
    cache.writeLater(newer);
    cache.waitForWrites();
    EXPECT_EQ(cache.read(kRoot), newer);
}

TEST(ResultsCache, FollowsXdgCacheHome) {
    const QByteArray saved = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", "/tmp/somewhere");
    EXPECT_EQ(ResultsCache::defaultFolder(), QStringLiteral("/tmp/somewhere/codeorchardist"));
    qputenv("XDG_CACHE_HOME", "relative");
    EXPECT_TRUE(ResultsCache::defaultFolder().endsWith(QStringLiteral("/.cache/codeorchardist")));
    qputenv("XDG_CACHE_HOME", saved);
}

} // namespace
