// The window's full scan: its progress texts, its progress on the caller's thread, and a stop
// that applies nothing.
#include "state/ScanProgressText.h"
#include "state/ScanSession.h"
#include "StateTestSupport.h"

#include <QThread>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using statetest::waitUntil;
using testfolders::TempTree;

namespace {

TEST(ScanProgressText, CountsGroupedAndGitOnceARepositoryIsFound) {
    ScanProgress p{1234, 56, 40, 12, false, {}};
    EXPECT_EQ(scanprogress::text(p, QLocale::c()), QStringLiteral("1,234 folders \u00B7 56 projects \u00B7 git 12 of 40"));
    EXPECT_EQ(scanprogress::text(p, QLocale(QLocale::German)),
              QStringLiteral("1.234 folders \u00B7 56 projects \u00B7 git 12 of 40"));
    EXPECT_EQ(scanprogress::text(ScanProgress{1, 1, 0, 0, false, {}}, QLocale::c()),
              QStringLiteral("1 folder \u00B7 1 project"));

    EXPECT_EQ(scanprogress::fraction(p), -1.0); // the walk still runs: no total yet
    p.walkDone = true;
    EXPECT_DOUBLE_EQ(scanprogress::fraction(p), 0.3);
    EXPECT_EQ(scanprogress::fraction(ScanProgress{5, 0, 0, 0, true, {}}), 1.0);

    p.currentFolder = QByteArray("/home/caf\xE9", 10);
    EXPECT_EQ(scanprogress::folderText(p), QStringLiteral("/home/caf\uFFFD"));
}

// A view model over a scanner whose git hangs while the file `hang` exists.
struct Harness {
    Harness()
        : git(writeGit(), std::chrono::minutes(10)),
          scanner(git),
          settings(std::make_shared<QSettings>(settingsDir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)) {
        tree.write("alpha/package.json", R"({"name":"alpha"})");
        tree.write("beta/package.json", R"({"name":"beta"})");
        testfolders::initRepository(tree.path() + "/beta");
    }

    QByteArray writeGit() {
        const QByteArray path = tools.write("git", "#!/bin/sh\nif [ -e '" + hang() + "' ]; then touch '" + started() +
                                                       "'; exec sleep 300; fi\nexec /usr/bin/git \"$@\"\n");
        ::chmod(path.constData(), 0755);
        return path;
    }
    QByteArray hang() const { return tools.path() + "/hang"; }
    QByteArray started() const { return tools.path() + "/started"; }
    void setHanging(bool on) {
        if (on) tools.write("hang", "");
        else ::unlink(hang().constData());
        ::unlink(started().constData());
    }
    bool gitHangs() const { return ::access(started().constData(), F_OK) == 0; }

    std::unique_ptr<ProjectsViewModel> makeViewModel() {
        auto vm = std::make_unique<ProjectsViewModel>(scanner, settings, PlatformServices{});
        vm->chooseFolder(QUrl::fromLocalFile(QString::fromUtf8(tree.path())));
        return vm;
    }

    TempTree tree;
    TempTree tools;
    GitService git;
    ProjectScanner scanner;
    QTemporaryDir settingsDir;
    std::shared_ptr<QSettings> settings;
};

TEST(ScanSession, StoppedRescanKeepsEverythingOfTheLastScan) {
    Harness h;
    auto vm = h.makeViewModel(); // scans at once
    ASSERT_TRUE(waitUntil([&] { return !vm->isLoading(); }));
    ASSERT_EQ(vm->projectCount(), 2);
    vm->selectProject(vm->projects()[1].id.toString(QUuid::WithoutBraces));
    const QList<Project> projects = vm->projects();
    const std::optional<Project> selected = vm->selectedProjectRecord();
    const CachedGraphData graph = vm->cachedGraphData();
    const CachedTreeData treeData = vm->cachedTreeData();
    const QDateTime scanned = vm->lastScanDate();
    EXPECT_FALSE(vm->scanSession()->lastScanStopped());

    h.setHanging(true);
    QList<bool> onMainThread;
    QObject::connect(vm->scanSession(), &ScanSession::progressChanged, vm.get(),
                     [&] { onMainThread.append(QThread::currentThread() == qApp->thread()); });
    int finished = 0;
    QObject::connect(vm.get(), &ProjectsViewModel::scanFinished, vm.get(), [&] { ++finished; });
    vm->scanProjects();
    ASSERT_TRUE(vm->isLoading());
    ASSERT_TRUE(vm->scanSession()->running());
    // The walk ends and git is stuck on the one repository: the bar's state.
    ASSERT_TRUE(waitUntil([&] { return vm->scanSession()->progress().walkDone && h.gitHangs(); }));
    EXPECT_EQ(vm->scanSession()->fraction(), 0.0);
    EXPECT_EQ(vm->scanSession()->progressText(), QStringLiteral("3 folders \u00B7 2 projects \u00B7 git 0 of 1"));

    vm->stopScan();
    EXPECT_FALSE(vm->isLoading());
    EXPECT_FALSE(vm->scanSession()->running());
    EXPECT_TRUE(vm->scanSession()->lastScanStopped());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(vm->projects(), projects);
    EXPECT_EQ(vm->selectedProjectRecord(), selected);
    EXPECT_EQ(vm->cachedGraphData(), graph);
    EXPECT_EQ(vm->cachedTreeData(), treeData);
    EXPECT_EQ(vm->lastScanDate(), scanned);
    ASSERT_FALSE(onMainThread.isEmpty());
    EXPECT_FALSE(onMainThread.contains(false));

    // The stopped scan's own end arrives later and still changes nothing.
    h.scanner.shutdown();
    QCoreApplication::processEvents();
    EXPECT_EQ(vm->projects(), projects);
    EXPECT_EQ(finished, 1);
}

TEST(ScanSession, StoppedFirstScanLeavesNoProjectsAndSaysSo) {
    Harness h;
    h.setHanging(true);
    auto vm = h.makeViewModel();
    ASSERT_TRUE(waitUntil([&] { return h.gitHangs(); }));
    vm->stopScan();
    EXPECT_FALSE(vm->isLoading());
    EXPECT_EQ(vm->projectCount(), 0);
    EXPECT_FALSE(vm->selectedProjectRecord());
    EXPECT_FALSE(vm->treeReady());
    EXPECT_TRUE(vm->scanSession()->lastScanStopped());
    EXPECT_EQ(vm->scanSession()->stoppedMessage(), QStringLiteral("Scan stopped"));

    // A later scan that ends clears the stopped state.
    h.setHanging(false);
    vm->scanProjects();
    ASSERT_TRUE(waitUntil([&] { return !vm->isLoading(); }));
    EXPECT_EQ(vm->projectCount(), 2);
    EXPECT_FALSE(vm->scanSession()->lastScanStopped());
}

TEST(ScanSession, ANewScanReplacesTheRunningOne) {
    Harness h;
    h.setHanging(true);
    auto vm = h.makeViewModel();
    ASSERT_TRUE(waitUntil([&] { return h.gitHangs(); }));
    h.setHanging(false);
    vm->scanProjects(); // the hanging scan is stopped, this one runs after it
    ASSERT_TRUE(waitUntil([&] { return !vm->isLoading(); }));
    EXPECT_EQ(vm->projectCount(), 2);
    EXPECT_FALSE(vm->scanSession()->lastScanStopped());
}

TEST(ScanSession, DestroyedWhileGitRunsIsSafe) {
    Harness h;
    h.setHanging(true);
    auto vm = h.makeViewModel();
    ASSERT_TRUE(waitUntil([&] { return h.gitHangs(); }));
    ASSERT_TRUE(vm->isLoading());
    vm.reset();
    h.scanner.shutdown(); // returns once the stopped scan has ended
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
