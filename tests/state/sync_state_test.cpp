#include "state/ProjectListModel.h"
#include "model/SyncText.h"
#include "state/SyncMap.h"
#include "StateTestSupport.h"
#include "support/ProjectFactory.h"

#include <QSignalSpy>
#include <sys/stat.h>
#include <gtest/gtest.h>

using statetest::ViewModelHarness;
using statetest::urlOf;
using testfolders::TempTree;
using testfolders::git;

namespace {

constexpr int kWait = 60000;

Project gitProject(const QByteArray& path, GitState state, bool changes = false) {
    Project p = testprojects::projectAt(path);
    p.hasGit = true;
    p.gitBranch = QStringLiteral("main");
    p.hasUncommittedChanges = changes;
    p.git = state;
    return p;
}

TEST(StatusFilter, AttentionAndModifiedNarrowTheRowsWithSearchAndKind) {
    GitState ahead;
    ahead.upstream = QStringLiteral("origin/main");
    ahead.ahead = 2;
    ahead.behind = 0;
    ahead.commit = QStringLiteral("abc");
    GitState synced = ahead;
    synced.ahead = 0;
    GitState broken;
    broken.problem = GitProblem::dubiousOwnership;
    const QList<Project> projects = {
        gitProject("/r/alpha", ahead),         gitProject("/r/beta", synced, true),
        gitProject("/r/gamma", synced),        gitProject("/r/delta", broken),
        testprojects::projectAt("/r/plain"),
    };
    ProjectSearchIndex index;
    index.reset(projects);
    EXPECT_EQ(index.matchingRows(projects, {}, std::nullopt, StatusFilter::attention), (QList<qsizetype>{0, 1, 3}));
    EXPECT_EQ(index.matchingRows(projects, {}, std::nullopt, StatusFilter::modified), (QList<qsizetype>{1}));
    EXPECT_EQ(index.matchingRows(projects, QStringLiteral("ta"), std::nullopt, StatusFilter::attention),
              (QList<qsizetype>{1, 3}));
    EXPECT_TRUE(index.matchingRows(projects, {}, ProjectType::java, StatusFilter::attention).isEmpty());
    EXPECT_EQ(countAttention(projects), 3);
    EXPECT_EQ(statusFilterFromKey(QStringLiteral("attention")), StatusFilter::attention);
    EXPECT_FALSE(statusFilterFromKey(QStringLiteral("bogus")));
}

TEST(SyncMap, MarksWordsAndProblems) {
    GitState s;
    s.upstream = QStringLiteral("origin/main");
    s.ahead = 2;
    s.behind = 1;
    s.stashes = 3;
    s.conflicted = 1;
    s.commit = QStringLiteral("1a2b3c4d5e6f");
    s.detached = true;
    Project p = gitProject("/r/x", s);
    p.gitBranch = QString();
    const QVariantMap map = syncToVariantMap(p, QDateTime::currentDateTimeUtc(), QLocale::c());
    EXPECT_EQ(map["branchText"].toString(), QStringLiteral("detached at 1a2b3c4"));
    EXPECT_EQ(map["aheadBehindText"].toString(), QStringLiteral("2 commits to push, 1 commit to pull"));
    EXPECT_EQ(map["stashText"].toString(), QStringLiteral("3 stashes"));
    EXPECT_EQ(map["lastFetchedText"].toString(), QStringLiteral("never"));
    QStringList texts, kinds;
    for (const QVariant& m : map["marks"].toList()) {
        texts.append(m.toMap()["text"].toString());
        kinds.append(m.toMap()["kind"].toString());
        EXPECT_FALSE(m.toMap()["tooltip"].toString().isEmpty());
    }
    EXPECT_EQ(texts, (QStringList{"↑2", "↓1", "⚑3", "✖1"}));
    EXPECT_EQ(kinds, (QStringList{"ahead", "behind", "stash", "conflict"}));
    EXPECT_EQ(map["attention"].toStringList(), (QStringList{"unpushed", "behind", "detached", "stash"}));
    EXPECT_EQ(map["attentionText"].toString(),
              QStringLiteral("2 commits to push, 1 commit to pull, detached HEAD, 3 stashes"));

    GitState refused;
    refused.problem = GitProblem::dubiousOwnership;
    Project bad = gitProject("/srv/theirs", refused);
    bad.gitBranch = QString(); // what a refusing git prints
    const QVariantMap b = syncToVariantMap(bad);
    EXPECT_EQ(b["problemText"].toString(), QStringLiteral("not trusted by git"));
    EXPECT_TRUE(b["problemAdvice"].toString().contains(QStringLiteral("safe.directory '/srv/theirs'")));
    ASSERT_EQ(b["marks"].toList().size(), 1);
    EXPECT_EQ(b["marks"].toList()[0].toMap()["kind"].toString(), QStringLiteral("problem"));
    EXPECT_EQ(b["branchText"].toString(), QString()); // never "detached" when git did not answer

    Project inside = testprojects::projectAt("/r/mono/packages/a");
    inside.repository = QByteArray("/r/mono");
    EXPECT_EQ(syncToVariantMap(inside)["partOfText"].toString(), QStringLiteral("part of mono"));
    EXPECT_EQ(syncToVariantMap(inside)["partOf"].toString(), QStringLiteral("/r/mono"));
}

// One vocabulary for the working tree and the reasons for attention, in every view and the CLI.
TEST(SyncWords, WorkingTreeAndAttentionInWords) {
    GitState tracked;
    tracked.upstream = QStringLiteral("origin/main");
    tracked.ahead = 0;
    tracked.behind = 0;
    tracked.commit = QStringLiteral("1a2b3c4d");
    const auto with = [&](auto change, bool changes = false) {
        GitState s = tracked;
        change(s);
        Project p = gitProject("/r/x", s, changes);
        p.remotes = {GitRemote{QUuid::createUuid(), QStringLiteral("origin"), QStringLiteral("/x.git")}};
        return p;
    };
    Project noGit = testprojects::projectAt("/r/plain");
    Project inside = noGit;
    inside.repository = QByteArray("/r/mono");
    struct Case {
        Project project;
        const char* changes;  // synctext::changesText
        const char* label;    // the status label
        const char* color;
        const char* reasons;  // attentionText
    };
    const Case cases[] = {
        {with([](GitState&) {}), "clean", "Clean", "green", ""},
        {with([](GitState& s) { s.untracked = 1; }, true), "1 untracked", "1 untracked", "orange", "1 untracked"},
        {with([](GitState& s) { s.unstaged = 2; s.untracked = 1; }, true), "2 modified, 1 untracked",
         "2 modified, 1 untracked", "orange", "2 modified, 1 untracked"},
        {with([](GitState& s) { s.staged = 1; s.conflicted = 1; }, true), "1 staged, 1 conflicted",
         "1 staged, 1 conflicted", "orange", "1 staged, 1 conflicted"},
        {with([](GitState&) {}, true), "changes", "Changes", "orange", "changes"},
        {with([](GitState& s) { s.upstream.reset(); s.ahead.reset(); s.behind.reset(); }), "clean", "No local changes",
         "gray", "no upstream"},
        {with([](GitState& s) { s.ahead.reset(); }), "clean", "No local changes", "gray", "upstream gone"},
        {with([](GitState& s) { s.ahead = 1; s.stashes = 1; }), "clean", "No local changes", "gray",
         "1 commit to push, 1 stash"},
        {with([](GitState& s) { s.detached = true; s.upstream.reset(); }), "clean", "No local changes", "gray",
         "detached HEAD"},
        // A rebase detaches HEAD by design: the operation is the reason, not the detached HEAD.
        {with([](GitState& s) { s.detached = true; s.operation = GitOperation::rebase; }), "clean",
         "No local changes", "gray", "rebase in progress"},
        {with([](GitState& s) { s.problem = GitProblem::timeout; }), "unknown", "Problem", "red", "timed out"},
        {noGit, "", "No Git", "green", ""},
        {inside, "", "part of mono", "gray", ""},
    };
    for (const Case& c : cases) {
        const QVariantMap map = syncToVariantMap(c.project, QDateTime::currentDateTimeUtc(), QLocale::c());
        SCOPED_TRACE(c.label);
        EXPECT_EQ(synctext::changesText(c.project), QLatin1String(c.changes));
        EXPECT_EQ(map["status"].toMap()["value"].toString(), QLatin1String(c.label));
        EXPECT_EQ(map["status"].toMap()["color"].toString(), QLatin1String(c.color));
        EXPECT_EQ(map["attentionText"].toString(), QLatin1String(c.reasons));
    }
}

class SyncViewModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QByteArray seed = tree.mkdir("seed");
        testfolders::initRepository(seed);
        git(tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
        git(seed, {"remote", "add", "origin", QString::fromUtf8(tree.path() + "/remote.git")});
        root = tree.mkdir("root");
        git(root, {"clone", "-q", "../remote.git", "clean"});
        git(root, {"clone", "-q", "../remote.git", "dirty"});
        tree.write("root/dirty/new", "x");
        tree.write("root/dirty/pkg/package.json", R"({"name":"pkg"})");
    }
    void pushToRemote() {
        tree.write("seed/more", "y");
        git(tree.path() + "/seed", {"add", "-A"});
        git(tree.path() + "/seed", {"commit", "-qm", "more"});
        git(tree.path() + "/seed", {"push", "-q", "origin", "main"});
    }
    void choose(ProjectsViewModel& model) {
        QSignalSpy finished(&model, &ProjectsViewModel::scanFinished);
        model.chooseFolder(urlOf(root));
        ASSERT_TRUE(finished.wait(kWait));
    }
    const Project* named(const ProjectsViewModel& model, const QString& name) {
        for (const Project& p : model.projects()) {
            if (p.name == name) return &p;
        }
        return nullptr;
    }
    ViewModelHarness harness;
    TempTree tree;
    QByteArray root;
};

TEST_F(SyncViewModelTest, CountersFilterTheListAndClearFiltersClearsThem) {
    auto model = harness.makeViewModel();
    choose(*model);
    EXPECT_EQ(model->projectCount(), 3);
    EXPECT_EQ(model->attentionCount(), 1);
    EXPECT_EQ(model->modifiedCount(), 1);

    QSignalSpy changed(model.get(), &ProjectsViewModel::statusFilterChanged);
    model->toggleStatusFilter(QStringLiteral("attention"));
    EXPECT_EQ(model->statusFilterText(), QStringLiteral("attention"));
    EXPECT_EQ(model->filteredCount(), 1);
    EXPECT_EQ(model->filteredProjects().first().name, QStringLiteral("dirty"));
    const QVariant sync = model->filteredModel()->index(0, 0).data(ProjectListModel::SyncRole);
    EXPECT_EQ(sync.toMap()["attention"].toStringList(), QStringList{"uncommitted"});
    EXPECT_TRUE(model->filteredModel()->index(0, 0).data(ProjectListModel::NeedsAttentionRole).toBool());

    model->toggleStatusFilter(QStringLiteral("attention")); // clicked again: cleared
    EXPECT_EQ(model->filteredCount(), 3);
    model->toggleStatusFilter(QStringLiteral("modified"));
    model->setSearchText(QStringLiteral("zzz"));
    EXPECT_EQ(model->filteredCount(), 0);
    model->clearFilters();
    EXPECT_EQ(model->statusFilterText(), QString());
    EXPECT_EQ(model->searchText(), QString());
    EXPECT_EQ(model->filteredCount(), 3);
    EXPECT_EQ(changed.count(), 4);

    // The part-of link selects the repository.
    const Project* pkg = named(*model, QStringLiteral("pkg"));
    ASSERT_TRUE(pkg && pkg->repository);
    EXPECT_TRUE(model->selectProjectByPath(QString::fromUtf8(*pkg->repository)));
    EXPECT_EQ(model->selectedProjectRecord()->name, QStringLiteral("dirty"));
    EXPECT_FALSE(model->selectProjectByPath(QStringLiteral("/no/such/project")));
}

TEST_F(SyncViewModelTest, FetchAllShowsProgressThenScansAgain) {
    auto model = harness.makeViewModel();
    choose(*model);
    pushToRemote();
    EXPECT_EQ(named(*model, "clean")->git->behind, 0);

    ProjectFetcher* fetcher = model->fetcher();
    QSignalSpy scanned(model.get(), &ProjectsViewModel::scanFinished);
    QSignalSpy progress(fetcher, &ProjectFetcher::stateChanged);
    model->fetchAll();
    EXPECT_TRUE(fetcher->isFetching());
    EXPECT_EQ(fetcher->total(), 2); // the package has no repository of its own
    EXPECT_EQ(fetcher->progressText(), QStringLiteral("Fetching 0 of 2"));
    ASSERT_TRUE(scanned.wait(kWait));
    EXPECT_FALSE(fetcher->isFetching());
    EXPECT_EQ(fetcher->done(), 2);
    EXPECT_TRUE(fetcher->failures().isEmpty()) << fetcher->failures().join('\n').toStdString();
    EXPECT_GE(progress.count(), 2);
    EXPECT_EQ(named(*model, "clean")->git->behind, 1);
    EXPECT_TRUE(named(*model, "clean")->git->lastFetched);
    EXPECT_EQ(model->attentionCount(), 2);
}

TEST_F(SyncViewModelTest, FetchOfOneProjectRefreshesIt) {
    auto model = harness.makeViewModel();
    choose(*model);
    pushToRemote();
    const Project* clean = named(*model, "clean");
    ASSERT_TRUE(clean);
    QSignalSpy refreshed(model.get(), &ProjectsViewModel::refreshFinished);
    model->fetchProject(clean->id.toString(QUuid::WithoutBraces));
    ASSERT_TRUE(refreshed.wait(kWait));
    EXPECT_EQ(named(*model, "clean")->git->behind, 1);
    EXPECT_EQ(named(*model, "dirty")->git->behind, 0); // not fetched
}

TEST(ProjectFetcherTest, HangingRemoteEndsAsAFailure) {
    TempTree tree;
    const QByteArray seed = tree.mkdir("seed");
    testfolders::initRepository(seed);
    git(tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
    git(tree.path(), {"clone", "-q", "remote.git", "work"});
    const QByteArray hang = tree.write("hang.sh", "#!/bin/sh\nexec sleep 60\n");
    ::chmod(hang.constData(), 0755);
    // The user's own ssh command never answers.
    git(tree.path() + "/work", {"remote", "set-url", "origin", "ssh://example.invalid/remote.git"});
    const QByteArray oldSsh = qgetenv("GIT_SSH_COMMAND");
    qputenv("GIT_SSH_COMMAND", hang);
    GitService quick("/usr/bin/git", GitService::kDefaultTimeout, std::chrono::milliseconds(300));
    qunsetenv("GIT_SSH_COMMAND");
    if (!oldSsh.isEmpty()) qputenv("GIT_SSH_COMMAND", oldSsh);
    ProjectFetcher fetcher(quick);
    GitState state;
    Project work = gitProject(tree.path() + "/work", state);
    work.remotes = {GitRemote{QUuid::createUuid(), QStringLiteral("origin"), QStringLiteral("x")}};
    QSignalSpy finished(&fetcher, &ProjectFetcher::finished);
    ASSERT_TRUE(fetcher.start({work}));
    EXPECT_FALSE(fetcher.start({work})); // one batch at a time
    ASSERT_TRUE(finished.wait(kWait));
    ASSERT_EQ(fetcher.failures().size(), 1);
    EXPECT_TRUE(fetcher.failures()[0].contains(QStringLiteral("timed out")));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
