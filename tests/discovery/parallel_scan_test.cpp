// The parallel scan gives exactly the serial scan's records, whatever the number of workers
// and however git's runs are timed; it can be stopped at once; and its walk reaches folders
// whose paths are longer than the system's path limit.
#include "discovery/ProjectScanner.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <fstream>
#include <thread>

using testfolders::TempTree;
using testfolders::writeScript;

namespace {

// Removes a tree of any depth, descriptor by descriptor.
void removeTreeAt(int parentFd, const char* name) {
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        if (DIR* dir = ::fdopendir(::dup(fd))) {
            std::vector<std::string> names;
            while (const dirent* e = ::readdir(dir)) {
                if (std::strcmp(e->d_name, ".") && std::strcmp(e->d_name, "..")) names.emplace_back(e->d_name);
            }
            ::closedir(dir);
            for (const std::string& n : names) {
                if (::unlinkat(fd, n.c_str(), 0) != 0) removeTreeAt(fd, n.c_str());
            }
        }
        ::close(fd);
    }
    ::unlinkat(parentFd, name, AT_REMOVEDIR);
}

// A tree with repositories in every state, projects inside projects, names that are not
// valid UTF-8 and names that sort equal.
void buildVariedTree(const TempTree& tree) {
    const QByteArray root = tree.path();
    for (int i = 0; i < 12; ++i) {
        const QByteArray name = "group" + QByteArray::number(i % 3) + "/app" + QByteArray::number(i);
        tree.write(name + "/package.json", R"({"name":"app","version":")" + QByteArray::number(i) + R"("})");
        testfolders::initRepository(root + "/" + name, "2026-0" + QByteArray::number(1 + i % 9) + "-01T10:00:00Z");
        if (i % 2) testfolders::git(root + "/" + name, {"remote", "add", "origin", "https://example.com/" + QString::number(i)});
        if (i % 3 == 0) testfolders::git(root + "/" + name, {"remote", "add", "Upstream", "/srv/up.git"});
        if (i % 4 == 1) tree.write(name + "/untracked.txt", "x");
        if (i % 5 == 2) testfolders::git(root + "/" + name, {"checkout", "-q", "--detach"});
        if (i % 4 == 3)
            tree.write(name + "/nested/pom.xml", "<project><artifactId>inner</artifactId><version>3</version></project>");
    }
    tree.write("fresh/setup.py", "name='fresh'");
    testfolders::git(root + "/fresh", {"init", "-q", "-b", "topic"}); // no commits
    const QByteArray odd("caf\xE9-\xFF", 6);
    tree.write(odd + "/package.json", "{}");
    testfolders::initRepository(root + "/" + odd);
    tree.write("plain/Package.swift", "// swift");
    tree.write("linked/.git", "gitdir: /nonexistent/worktree"); // a .git file git cannot use
    tree.write("linked/pyproject.toml", "name = \"linked\"");
    tree.mkdir("empty/deeper/still");
}

const QByteArray kOddName("caf\xE9-\xFF", 6);

// The varied tree, removed at the end; the temporary folder's own removal cannot take names
// that are not valid UTF-8.
struct VariedTree : TempTree {
    VariedTree() { buildVariedTree(*this); }
    ~VariedTree() { removeTreeAt(AT_FDCWD, (path() + "/" + kOddName).constData()); }
};

// Everything but the random identities.
QList<Project> withoutIds(QList<Project> projects) {
    for (Project& p : projects) {
        p.id = QUuid();
        for (GitRemote& r : p.remotes) r.id = QUuid();
    }
    return projects;
}

ScanOutcome scanWith(GitService& git, const QByteArray& root, int jobs, std::shared_ptr<ScanControl> control = {}) {
    ProjectScanner scanner(git);
    return scanner.startScan(ScanRequest{root, 10, jobs, std::move(control)}).result();
}

TEST(ParallelScan, AnyNumberOfWorkersGivesTheSerialResult) {
    VariedTree tree;
    GitService git;
    const ScanOutcome serial = scanWith(git, tree.path(), 1);
    ASSERT_FALSE(serial.stopped);
    ASSERT_EQ(serial.projects.size(), 19);
    // The serial result is itself right where the states differ.
    const auto fresh = std::find_if(serial.projects.begin(), serial.projects.end(),
                                    [](const Project& p) { return p.name == "fresh"; });
    ASSERT_NE(fresh, serial.projects.end());
    EXPECT_EQ(fresh->gitBranch, QStringLiteral("topic"));
    EXPECT_EQ(fresh->lastModified, ProjectScanner::modificationDate(tree.path() + "/fresh"));

    const QList<Project> expected = withoutIds(serial.projects);
    for (int jobs : {2, 8}) {
        const ScanOutcome parallel = scanWith(git, tree.path(), jobs);
        EXPECT_FALSE(parallel.stopped);
        EXPECT_EQ(withoutIds(parallel.projects), expected) << jobs << " workers";
    }
}

TEST(ParallelScan, RandomlySlowGitStillGivesTheSerialResult) {
    VariedTree tree;
    TempTree tools;
    // Each run waits 0 to 60 ms, chosen by its process number, before it becomes git.
    const QByteArray slowGit = writeScript(tools, "git", "sleep 0.0$(($$ % 7))\nexec /usr/bin/git \"$@\"\n");
    GitService plain;
    GitService slow(slowGit);
    const QList<Project> expected = withoutIds(scanWith(plain, tree.path(), 1).projects);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(withoutIds(scanWith(slow, tree.path(), 2 + 3 * round).projects), expected) << "round " << round;
    }
}

TEST(ParallelScan, ProgressCountsEveryFolderProjectAndRepository) {
    VariedTree tree;
    GitService git;
    auto control = std::make_shared<ScanControl>();
    ProjectScanner scanner(git);
    QFuture<ScanOutcome> future = scanner.startScan(ScanRequest{tree.path(), 10, 2, control});
    ScanProgress previous;
    while (!future.isFinished()) {
        const ScanProgress now = control->progress();
        EXPECT_LE(now.repositoriesRead, now.repositories);
        EXPECT_LE(now.repositories, now.projects);
        EXPECT_GE(now.folders, previous.folders);
        EXPECT_GE(now.repositoriesRead, previous.repositoriesRead);
        EXPECT_TRUE(now.walkDone || !previous.walkDone);
        previous = now;
        std::this_thread::yield();
    }
    const ScanProgress end = control->progress();
    EXPECT_TRUE(end.walkDone);
    EXPECT_EQ(end.projects, future.result().projects.size());
    EXPECT_EQ(end.repositories, 15);
    EXPECT_EQ(end.repositoriesRead, 15);
    // root, group0..2, 12 apps, 3 nested, fresh, odd, plain, linked, empty/deeper/still
    EXPECT_EQ(end.folders, 1 + 3 + 12 + 3 + 4 + 3);
    EXPECT_TRUE(end.currentFolder.startsWith(tree.path()));
}

TEST(ParallelScan, StopKillsRunningGitAndAppliesNothing) {
    TempTree tree;
    for (int i = 0; i < 6; ++i) {
        tree.write("r" + QByteArray::number(i) + "/package.json", "{}");
        // A real git folder: git is asked only about folders that lead to one.
        testfolders::initRepository(tree.path() + "/r" + QByteArray::number(i));
    }
    TempTree tools;
    const QByteArray pids = tools.path() + "/pids";
    // A git that never answers; its child shares its process group.
    const QByteArray hangingGit = writeScript(tools, "git", "sleep 300 &\necho $! >> '" + pids + "'\nwait\n");
    GitService git(hangingGit, std::chrono::minutes(10));
    for (int jobs : {1, 3}) {
        auto control = std::make_shared<ScanControl>();
        ProjectScanner scanner(git);
        QFuture<ScanOutcome> future = scanner.startScan(ScanRequest{tree.path(), 10, jobs, control});
        while (control->progress().repositories < 1) std::this_thread::yield();
        // Wait until a git run has started its child.
        for (;;) {
            std::ifstream in(pids.constData());
            if (in.peek() != std::ifstream::traits_type::eof()) break;
            std::this_thread::yield();
        }
        const auto stopAt = std::chrono::steady_clock::now();
        control->requestStop();
        const ScanOutcome outcome = future.result();
        // Far below the ten-minute limit a stuck run would take.
        EXPECT_LT(std::chrono::steady_clock::now() - stopAt, std::chrono::minutes(1));
        EXPECT_TRUE(outcome.stopped);
        EXPECT_TRUE(outcome.projects.isEmpty());
        EXPECT_LT(control->progress().repositoriesRead, 6 + 1) << jobs;

        std::ifstream in(pids.constData());
        for (long pid = 0; in >> pid;) {
            // A killed process ends a moment after the signal: wait until it is gone or a
            // zombie waiting for its reaper. Only a child that was never killed stays longer.
            const auto ended = [pid] {
                QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
                return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
            };
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
            while (!ended() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
            EXPECT_TRUE(ended()) << "child " << pid << " still runs";
        }
        ::unlink(pids.constData());
    }
}

TEST(ParallelScan, ShutdownStopsRunningAndWaitingScans) {
    TempTree tree;
    tree.write("r/package.json", "{}");
    testfolders::initRepository(tree.path() + "/r");
    TempTree tools;
    const QByteArray started = tools.path() + "/started";
    const QByteArray hangingGit = writeScript(tools, "git", "touch '" + started + "'\nexec sleep 300\n");
    GitService git(hangingGit, std::chrono::minutes(10));
    ProjectScanner scanner(git);
    QFuture<ScanOutcome> running = scanner.startScan(ScanRequest{tree.path(), 10, 2, nullptr});
    QFuture<ScanOutcome> waiting = scanner.startScan(ScanRequest{tree.path(), 10, 2, nullptr});
    while (::access(started.constData(), F_OK) != 0) std::this_thread::yield();
    scanner.shutdown();
    ASSERT_TRUE(running.isFinished());
    ASSERT_TRUE(waiting.isFinished());
    EXPECT_TRUE(running.result().stopped);
    EXPECT_TRUE(waiting.result().stopped);
    EXPECT_TRUE(scanner.startScan(ScanRequest{tree.path(), 10, 1, nullptr}).result().stopped);
}

TEST(ParallelScan, FoldersDeeperThanThePathLimitAreFound) {
    TempTree tree;
    const std::string longName(200, 'd');
    int fd = ::open(tree.path().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    QByteArray deepPath = tree.path();
    constexpr int kLevels = 25; // about 5,000 bytes
    for (int level = 0; level < kLevels; ++level) {
        ASSERT_EQ(::mkdirat(fd, longName.c_str(), 0755), 0);
        const int next = ::openat(fd, longName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        ASSERT_GE(next, 0);
        fd = next;
        deepPath += '/' + QByteArray::fromStdString(longName);
        if (level == 12) { // a project halfway down, still within the limit
            const int f = ::openat(fd, "pom.xml", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            ASSERT_EQ(::write(f, "<project><artifactId>half</artifactId></project>", 48), 48);
            ::close(f);
        }
    }
    const int manifest = ::openat(fd, "package.json", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(manifest, 0);
    const char json[] = R"({"name":"deep","version":"9"})";
    ASSERT_EQ(::write(manifest, json, sizeof json - 1), qsizetype(sizeof json - 1));
    ::close(manifest);
    ::close(fd);
    ASSERT_GT(deepPath.size(), PATH_MAX);

    GitService git;
    ProjectScanner scanner(git);
    const ScanOutcome outcome = scanner.startScan(ScanRequest{tree.path(), kLevels + 5, 2, nullptr}).result();
    ASSERT_EQ(outcome.projects.size(), 2);
    const Project& deep = outcome.projects[0];
    EXPECT_EQ(deep.name, "deep");
    EXPECT_EQ(deep.type, ProjectType::nodeJS);
    EXPECT_EQ(deep.version, QStringLiteral("9"));
    EXPECT_EQ(deep.path, deepPath);
    EXPECT_TRUE(deep.lastModified);
    EXPECT_EQ(outcome.projects[1].name, "half");

    removeTreeAt(AT_FDCWD, (tree.path() + "/" + QByteArray::fromStdString(longName)).constData());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
