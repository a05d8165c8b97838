#include "discovery/FetchQueue.h"
#include "discovery/GitService.h"
#include "state/ProjectFetcher.h"
#include "support/ProjectFactory.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

using testfolders::TempTree;
using testfolders::writeScript;
using testfolders::git;

namespace {

// Sets an environment variable for the life of the object (services read the environment
// when they are made).
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (m_had) qputenv(m_name, m_old);
        else qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// A bare repository, clones of it, and a way to add commits to the bare one after cloning.
struct Remote {
    TempTree tree;
    QByteArray bare = tree.path() + "/remote.git";
    int pushes = 0;

    Remote() {
        const QByteArray seed = tree.mkdir("seed");
        testfolders::initRepository(seed);
        git(tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
        git(seed, {"remote", "add", "origin", QString::fromUtf8(bare)});
        git(seed, {"fetch", "-q", "origin"});
        git(seed, {"branch", "-q", "-u", "origin/main"});
    }
    QByteArray clone(const QByteArray& name) {
        git(tree.path(), {"clone", "-q", "remote.git", QString::fromUtf8(name)});
        return tree.path() + "/" + name;
    }
    void pushNewCommit() {
        const QByteArray seed = tree.path() + "/seed";
        tree.write("seed/f" + QByteArray::number(++pushes), "x");
        git(seed, {"add", "-A"});
        git(seed, {"commit", "-qm", "more"});
        git(seed, {"push", "-q", "origin", "main"});
    }
};

TEST(GitFetch, FetchSeesCommitsMadeAfterTheClone) {
    Remote remote;
    const QByteArray work = remote.clone("work");
    remote.pushNewCommit();
    remote.pushNewCommit();

    GitService service;
    EXPECT_EQ(service.readState(work).state.behind, 0); // not fetched yet
    EXPECT_FALSE(service.readState(work).state.lastFetched);
    const FetchResult result = service.fetch(work);
    EXPECT_TRUE(result.succeeded()) << result.detail.toStdString();
    const GitState after = service.readState(work).state;
    EXPECT_EQ(after.behind, 2);
    EXPECT_TRUE(after.lastFetched);
}

TEST(GitFetch, FetchAllCountsProgressAndKeepsOrder) {
    Remote remote;
    QList<QByteArray> folders;
    for (int i = 0; i < 5; ++i) folders.append(remote.clone("c" + QByteArray::number(i)));
    folders.insert(2, remote.tree.path() + "/missing-folder");
    remote.pushNewCommit();

    GitService service;
    std::mutex mutex;
    QList<int> seen;
    const QList<FetchResult> results = fetchAll(service, folders, 3, [&](int done, int total) {
        std::lock_guard lock(mutex);
        EXPECT_EQ(total, 6);
        seen.append(done);
    });
    ASSERT_EQ(results.size(), 6);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (QList<int>{1, 2, 3, 4, 5, 6}));
    for (int i = 0; i < 6; ++i) {
        if (i == 2) {
            EXPECT_FALSE(results[i].succeeded());
        } else {
            EXPECT_TRUE(results[i].succeeded()) << i << results[i].detail.toStdString();
            EXPECT_EQ(service.readState(folders[i]).state.behind, 1) << i;
        }
    }
}

TEST(GitFetch, HangingRemoteIsStoppedAtTheLimit) {
    Remote remote;
    const QByteArray work = remote.clone("work");
    // The remote side never answers: the user's own ssh command (from the environment the
    // service starts with) waits forever.
    const QByteArray hang = writeScript(remote.tree, "hang-ssh", "exec sleep 60\n");
    git(work, {"remote", "set-url", "origin", "ssh://example.invalid/remote.git"});
    ScopedVariable ssh("GIT_SSH_COMMAND", hang);
    GitService service("/usr/bin/git", GitService::kDefaultTimeout, std::chrono::milliseconds(500));
    EXPECT_EQ(service.fetch(work).problem, GitProblem::timeout);

    // The same with a cancel request instead of the limit.
    std::atomic<bool> cancel{true};
    GitService patient;
    EXPECT_FALSE(patient.fetch(work, &cancel).succeeded());
}

TEST(GitFetch, FetchNeverPromptsAndKeepsTheUsersSshCommand) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    const QByteArray seen = tree.path() + "/seen";
    // A git that writes down the environment of the fetch; other commands go to the real git.
    const QByteArray fake = writeScript(
        tree, "git",
        "if [ \"$1\" = fetch ]; then printf '%s|%s|%s' \"$GIT_TERMINAL_PROMPT\" \"$GIT_SSH_COMMAND\" \"$*\" > '" +
            seen + "'; exit 0; fi\nexec /usr/bin/git \"$@\"\n");
    const auto fetchedWith = [&] {
        GitService service(fake);
        EXPECT_TRUE(service.fetch(repo).succeeded());
        QFile f(QString::fromUtf8(seen));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    };
    EXPECT_EQ(fetchedWith(), QByteArray("0|ssh -o BatchMode=yes|fetch --all --prune --quiet"));

    // The user's own configuration chooses an ssh command: git uses it, nothing overrides it.
    const QByteArray userConfig = tree.write("user.gitconfig", "[core]\n\tsshCommand = ssh -i /my/key\n");
    {
        ScopedVariable global("GIT_CONFIG_GLOBAL", userConfig);
        EXPECT_EQ(fetchedWith(), QByteArray("0||fetch --all --prune --quiet"));
    }
    // The same key in the repository's own configuration is not the user's choice.
    git(repo, {"config", "core.sshCommand", "ssh -i /my/key"});
    EXPECT_EQ(fetchedWith(), QByteArray("0|ssh -o BatchMode=yes|fetch --all --prune --quiet"));
}

TEST(GitFetch, QuittingTheApplicationKillsTheWindowsFetches) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    const QByteArray started = tree.path() + "/started";
    // A fetch that never ends by itself.
    const QByteArray fake = writeScript(
        tree, "git", "if [ \"$1\" = fetch ]; then touch '" + started + "'; exec sleep 300; fi\nexec /usr/bin/git \"$@\"\n");
    GitService service(fake, GitService::kDefaultTimeout, std::chrono::minutes(10));
    ProjectFetcher fetcher(service);
    Project project = testprojects::projectAt(repo);
    project.hasGit = true;
    project.git = GitState{};
    project.remotes = {GitRemote{QUuid::createUuid(), QStringLiteral("origin"), QStringLiteral("x")}};
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&fetcher, &ProjectFetcher::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    ASSERT_TRUE(fetcher.start({project}));

    // The application quits while the fetch runs; the batch then ends without waiting for it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (::access(started.constData(), F_OK) == 0) QCoreApplication::quit();
    });
    poll.start(10);
    QCoreApplication::exec();
    poll.stop();
    EXPECT_FALSE(finished); // the fetch was running when the application quit
    QTimer::singleShot(std::chrono::seconds(20), &loop, &QEventLoop::quit);
    if (!finished) loop.exec();
    EXPECT_TRUE(finished);
    EXPECT_EQ(fetcher.failures().size(), 1);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
