// The watcher over real repositories changed by the real git: which project each change is
// told for, the budget, and watches that never leak however often folders come and go.
#include "discovery/GitService.h"
#include "discovery/RepositoryWatcher.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <dirent.h>
#include <functional>

using testfolders::git;
using testfolders::gitMayFail;
using testfolders::TempTree;

namespace {

// Runs the event loop until `condition` holds; false after `timeoutMs`.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        // Events the kernel has already queued are taken at once.
        QCoreApplication::processEvents();
        if (condition()) return true;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// The watches the kernel holds for this process, from /proc/self/fdinfo.
int kernelWatches() {
    int count = 0;
    DIR* dir = ::opendir("/proc/self/fdinfo");
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr) {
        QFile info(QStringLiteral("/proc/self/fdinfo/") + QString::fromLatin1(entry->d_name));
        if (info.open(QIODevice::ReadOnly)) count += int(info.readAll().count("inotify wd:"));
    }
    if (dir) ::closedir(dir);
    return count;
}

class RepositoryWatcherTest : public ::testing::Test {
protected:
    RepositoryWatcherTest() : watcher(service, 4096) {
        QObject::connect(&watcher, &RepositoryWatcher::repositoryChanged, [this](const QByteArray& key) { changed.append(key); });
        QObject::connect(&watcher, &RepositoryWatcher::folderChanged, [this](const QByteArray& folder) { folders.append(folder); });
    }

    QByteArray makeRepository(const QByteArray& name) {
        tree.write(name + "/src/lib/code.c", "int x;\n");
        tree.write(name + "/README", "read me\n");
        const QByteArray path = tree.path() + "/" + name;
        testfolders::initRepository(path);
        return path;
    }
    void watchAll(const QList<QByteArray>& repositories) {
        QList<WatchTarget> targets;
        for (const QByteArray& path : repositories) targets.append(WatchTarget{path, std::nullopt, true});
        watcher.watch(tree.path(), 10, targets);
        ASSERT_TRUE(waitUntil([this] { return !watcher.planning(); }));
    }
    bool toldChanged(const QByteArray& key) {
        return waitUntil([&] { return changed.contains(key); });
    }

    TempTree tree;
    GitService service;
    RepositoryWatcher watcher;
    QList<QByteArray> changed;
    QList<QByteArray> folders;
};

TEST_F(RepositoryWatcherTest, EachGitOperationTellsItsRepositoryOnly) {
    const QByteArray app = makeRepository("app");
    const QByteArray other = makeRepository("other");
    git(app, {"branch", "side"});
    watchAll({app, other});
    ASSERT_EQ(watcher.liveState(app), RepositoryWatcher::Live::live);
    const QByteArray file = app + "/src/lib/code.c";
    const struct {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"commit", [&] { git(app, {"commit", "-q", "--allow-empty", "-m", "two"}); }},
        {"checkout", [&] { git(app, {"checkout", "-q", "side"}); }},
        {"edit of a tracked file", [&] { tree.write("app/src/lib/code.c", "int y;\n"); }},
        {"stash", [&] { git(app, {"stash", "-q"}); }},
        {"new branch folder under refs", [&] { git(app, {"branch", "feature/a/b"}); }},
        {"branch in the new refs folder", [&] { git(app, {"branch", "feature/a/c"}); }},
        {"rebase stopped by a conflict", [&] {
             tree.write("app/src/lib/code.c", "int side;\n");
             git(app, {"commit", "-q", "-am", "side"});
             git(app, {"checkout", "-q", "-b", "other-side", "HEAD~1"});
             tree.write("app/src/lib/code.c", "int other;\n");
             git(app, {"commit", "-q", "-am", "other"});
             ASSERT_TRUE(waitUntil([&] { return changed.contains(app) && watcher.idle(); }));
             changed.clear();
             EXPECT_NE(gitMayFail(app, {"rebase", "side"}), 0);
         }},
        {"rebase aborted", [&] { git(app, {"rebase", "--abort"}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        changed.clear();
        c.act();
        EXPECT_TRUE(toldChanged(app));
        EXPECT_TRUE(waitUntil([&] { return watcher.idle(); }));
        EXPECT_FALSE(changed.contains(other));
    }
    EXPECT_EQ(kernelWatches(), watcher.watchCount());
}

TEST_F(RepositoryWatcherTest, ProjectsComingAndGoingUnderTheRootAreTold) {
    const QByteArray app = makeRepository("app");
    tree.mkdir("group/empty");
    watchAll({app});
    const int before = watcher.watchCount();

    git(tree.path() + "/group", {"clone", "-q", QString::fromUtf8(app), "copy"});
    EXPECT_TRUE(waitUntil([&] { return folders.contains(tree.path() + "/group/copy"); }));
    git(app, {"worktree", "add", "-q", "-b", "wt", "../linked"});
    EXPECT_TRUE(waitUntil([&] { return folders.contains(tree.path() + "/linked"); }));
    EXPECT_TRUE(toldChanged(app)) << "the common git folder got worktrees/";

    changed.clear();
    QDir(QString::fromUtf8(app)).removeRecursively();
    EXPECT_TRUE(toldChanged(app));
    EXPECT_TRUE(waitUntil([&] { return folders.contains(app); }));
    watcher.remove({app});
    EXPECT_TRUE(waitUntil([&] { return watcher.watchCount() < before && kernelWatches() == watcher.watchCount(); }));
}

TEST_F(RepositoryWatcherTest, ProjectsPastTheBudgetAreNotWatchedLive) {
    const QByteArray app = makeRepository("app");
    const WatchPlan plan = watchplan::plan(WatchTarget{app, std::nullopt, true}, service);
    ASSERT_EQ(plan.treeFolders.size(), 3) << "app, app/src, app/src/lib";
    const int gitSize = int(plan.gitFolders.size() + plan.refFolders.size());
    // Git folders first, then the root's one folder, then the working tree.
    const struct {
        int budget;
        RepositoryWatcher::Live live;
        int watches;
        bool rootWatched;
    } cases[] = {
        {gitSize - 1, RepositoryWatcher::Live::notLive, 1, true},
        {gitSize, RepositoryWatcher::Live::notLive, gitSize, false},
        {gitSize + 3, RepositoryWatcher::Live::notLive, gitSize + 1, true},
        {plan.size() + 1, RepositoryWatcher::Live::live, plan.size() + 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.budget);
        watcher.setBudget(c.budget);
        watchAll({app});
        EXPECT_EQ(watcher.liveState(app), c.live);
        EXPECT_EQ(watcher.watchCount(), c.watches);
        EXPECT_EQ(watcher.rootWatched(), c.rootWatched);
        EXPECT_EQ(kernelWatches(), c.watches);
    }
}

TEST_F(RepositoryWatcherTest, WatchesComeBackToTheSameCountAfterThousandsOfCycles) {
    const QByteArray app = makeRepository("app");
    watchAll({app});
    const int baseline = watcher.watchCount();
    ASSERT_EQ(kernelWatches(), baseline);
    for (int i = 0; i < 2000; ++i) {
        const QByteArray refs = app + "/.git/refs/heads/t" + QByteArray::number(i);
        ASSERT_TRUE(QDir().mkdir(QString::fromUtf8(refs)));
        ASSERT_TRUE(waitUntil([&] { return watcher.watchCount() == baseline + 1; })) << i;
        ASSERT_TRUE(QDir().rmdir(QString::fromUtf8(refs)));
        ASSERT_TRUE(waitUntil([&] { return watcher.watchCount() == baseline; })) << i;
        if (i % 250 != 0) continue;
        // A whole repository made, watched, deleted and forgotten.
        const QByteArray extra = makeRepository("extra");
        watcher.add({WatchTarget{extra, std::nullopt, true}});
        ASSERT_TRUE(waitUntil([&] { return watcher.liveState(extra) == RepositoryWatcher::Live::live; }));
        QDir(QString::fromUtf8(extra)).removeRecursively();
        ASSERT_TRUE(waitUntil([&] { return watcher.watchCount() == baseline; })) << "IN_IGNORED ends them all";
        watcher.remove({extra});
    }
    EXPECT_TRUE(waitUntil([&] { return kernelWatches() == baseline; }));
    watcher.clear();
    EXPECT_TRUE(waitUntil([] { return kernelWatches() == 0; }));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
