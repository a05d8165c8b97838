// The view model follows the disk by itself: real repositories changed by the real git while
// it watches them give their refreshed records in place, projects come and go under the
// root, and what the budget leaves unwatched is read again when the window is activated.
#include "state/LiveUpdates.h"
#include "state/StateTestSupport.h"

#include <QDir>

using namespace statetest;
using testfolders::git;
using testfolders::gitMayFail;

namespace {

class LiveUpdatesTest : public ViewModelTest {
protected:
    QByteArray makeRepository(const QByteArray& name) {
        tree.write(name + "/src/code.c", "int x;\n");
        const QByteArray path = tree.path() + "/" + name;
        testfolders::initRepository(path);
        return path;
    }
    void start(ProjectsViewModel& model) {
        choose(model, tree.path());
        ASSERT_TRUE(waitUntil([&] { return !model.liveUpdates()->watcher().planning(); }, kWait));
    }
    std::optional<Project> at(const ProjectsViewModel& model, const QByteArray& path) {
        for (const Project& p : model.projects()) {
            if (p.path == path) return p;
        }
        return std::nullopt;
    }
    // Waits until the record at `path` passes `test` (absent: nullopt).
    bool becomes(const ProjectsViewModel& model, const QByteArray& path,
                 const std::function<bool(const std::optional<Project>&)>& test) {
        return waitUntil([&] { return test(at(model, path)); }, 20000);
    }
};

TEST_F(LiveUpdatesTest, ChangesMadeByGitShowInPlaceWithTheSelectionKept) {
    const QByteArray app = makeRepository("app");
    makeRepository("other");
    auto model = harness.makeViewModel();
    start(*model);
    model->selectProjectByPath(QString::fromUtf8(app));
    const QString firstCommit = *at(*model, app)->git->commit;
    const auto git_ = [&](QStringList args) { git(app, args); };
    const struct {
        const char* what;
        std::function<void()> act;
        std::function<bool(const Project&)> shows;
    } cases[] = {
        {"commit", [&] { git_({"commit", "-q", "--allow-empty", "-m", "two"}); },
         [&](const Project& p) { return p.git->commit != firstCommit; }},
        {"checkout", [&] { git_({"checkout", "-q", "-b", "feature"}); },
         [](const Project& p) { return p.gitBranch == QStringLiteral("feature"); }},
        {"edit", [&] { tree.write("app/src/code.c", "int edited;\n"); },
         [](const Project& p) { return p.hasUncommittedChanges; }},
        {"stash", [&] { git_({"stash", "-q"}); },
         [](const Project& p) { return p.git->stashes == 1 && !p.hasUncommittedChanges; }},
        {"rebase stopped by a conflict", [&] {
             tree.write("app/src/code.c", "int a;\n");
             git_({"commit", "-q", "-am", "a"});
             git_({"checkout", "-q", "-b", "b", "HEAD~1"});
             tree.write("app/src/code.c", "int b;\n");
             git_({"commit", "-q", "-am", "b"});
             EXPECT_NE(gitMayFail(app, {"rebase", "feature"}), 0);
         },
         [](const Project& p) { return p.git->operation == GitOperation::rebase && p.git->conflicted == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        EXPECT_TRUE(becomes(*model, app, [&](const std::optional<Project>& p) { return p && c.shows(*p); }));
        ASSERT_TRUE(model->selectedProjectRecord());
        EXPECT_EQ(model->selectedProjectRecord()->path, app);
        EXPECT_TRUE(model->selectedProject().value(QStringLiteral("watchedLive")).toBool());
    }
}

TEST_F(LiveUpdatesTest, ProjectsComeAndGoUnderTheRootWithoutAScan) {
    const QByteArray app = makeRepository("app");
    const QByteArray doomed = makeRepository("doomed");
    const QByteArray moving = makeRepository("moving");
    tree.mkdir("group");
    auto model = harness.makeViewModel();
    start(*model);
    QSignalSpy scans(model.get(), &ProjectsViewModel::isLoadingChanged);

    git(tree.path() + "/group", {"clone", "-q", QString::fromUtf8(app), "copy"});
    EXPECT_TRUE(becomes(*model, tree.path() + "/group/copy",
                        [](const std::optional<Project>& p) { return p && p->gitBranch == QStringLiteral("main"); }));
    git(app, {"worktree", "add", "-q", "-b", "wt", "../linked"});
    EXPECT_TRUE(becomes(*model, tree.path() + "/linked",
                        [](const std::optional<Project>& p) { return p && p->git && p->git->worktreeOf; }));
    QDir(QString::fromUtf8(doomed)).removeRecursively();
    EXPECT_TRUE(becomes(*model, doomed, [](const std::optional<Project>& p) { return !p; }));
    ASSERT_TRUE(QDir().rename(QString::fromUtf8(moving), QString::fromUtf8(tree.path() + "/group/moved")));
    EXPECT_TRUE(becomes(*model, moving, [](const std::optional<Project>& p) { return !p; }));
    EXPECT_TRUE(becomes(*model, tree.path() + "/group/moved", [](const std::optional<Project>& p) { return p.has_value(); }));
    // The clone is watched too.
    git(tree.path() + "/group/copy", {"checkout", "-q", "-b", "later"});
    EXPECT_TRUE(becomes(*model, tree.path() + "/group/copy",
                        [](const std::optional<Project>& p) { return p && p->gitBranch == QStringLiteral("later"); }));
    EXPECT_EQ(scans.count(), 0) << "no full scan";
}

TEST_F(LiveUpdatesTest, PastTheBudgetTheActivationReadsAgain) {
    const QByteArray first = makeRepository("a-first");
    const QByteArray second = makeRepository("b-second");
    auto model = harness.makeViewModel();
    LiveUpdates& live = *model->liveUpdates();
    // Room for the first repository's folders and the root's, not for the second one's tree.
    const WatchPlan plan = watchplan::plan(WatchTarget{first, std::nullopt, true}, harness.git);
    const int gitFolders = int(plan.gitFolders.size() + plan.refFolders.size());
    live.watcher().setBudget(2 * gitFolders + 1 + int(plan.treeFolders.size()));
    live.setActivationInterval(std::chrono::milliseconds(0));
    start(*model);
    EXPECT_TRUE(live.watchedLive(first));
    EXPECT_FALSE(live.watchedLive(second));
    ASSERT_TRUE(model->selectProjectByPath(QString::fromUtf8(second)));
    EXPECT_FALSE(model->selectedProject().value(QStringLiteral("watchedLive")).toBool());

    tree.write("b-second/src/code.c", "int edited;\n");
    const int before = live.rereadCount();
    model->windowActivated();
    EXPECT_GT(live.rereadCount(), before);
    EXPECT_TRUE(becomes(*model, second, [](const std::optional<Project>& p) { return p && p->hasUncommittedChanges; }));
    // Within the interval the activation reads nothing.
    live.setActivationInterval(std::chrono::hours(1));
    const int after = live.rereadCount();
    model->windowActivated();
    EXPECT_EQ(live.rereadCount(), after);
}

TEST_F(LiveUpdatesTest, WithTheRootPastTheBudgetTheActivationWalksItAgain) {
    const QByteArray app = makeRepository("app");
    auto model = harness.makeViewModel();
    LiveUpdates& live = *model->liveUpdates();
    const WatchPlan plan = watchplan::plan(WatchTarget{app, std::nullopt, true}, harness.git);
    live.watcher().setBudget(int(plan.gitFolders.size() + plan.refFolders.size()));
    live.setActivationInterval(std::chrono::milliseconds(0));
    start(*model);
    ASSERT_FALSE(live.watcher().rootWatched());

    git(tree.path(), {"clone", "-q", "app", "copy"});
    model->windowActivated();
    EXPECT_TRUE(becomes(*model, tree.path() + "/copy", [](const std::optional<Project>& p) { return p.has_value(); }));
    QDir(QString::fromUtf8(tree.path() + "/copy")).removeRecursively();
    model->windowActivated();
    EXPECT_TRUE(becomes(*model, tree.path() + "/copy", [](const std::optional<Project>& p) { return !p; }));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
