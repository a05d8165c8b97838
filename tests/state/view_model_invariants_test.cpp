// Random sequences of everything a user and the disk do to the view model (scans, stops, new
// roots, refreshes, fetches, filters, selections, projects that change, come and go), seeded so
// a failure repeats; after every step, once the view model is idle, what every view reads must
// describe one state.
#include "discovery/Utf8.h"
#include "model/Attention.h"
#include "state/ProjectListModel.h"
#include "StateTestSupport.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

using statetest::idText;
using testfolders::git;

namespace {

class Invariants : public statetest::ViewModelTest {
protected:
    void SetUp() override {
        // Root "big": repositories (one with a remote to fetch from, one a monorepo whose root
        // sorts after its packages), plain manifests; root "small": two projects.
        const QByteArray seed = tree.mkdir("seed");
        testfolders::initRepository(seed);
        git(tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
        big = tree.mkdir("big");
        git(big, {"clone", "-q", "../remote.git", "cloned"});
        tree.write("big/mono/package.json", R"({"name":"zz-mono"})");
        tree.write("big/mono/packages/a/package.json", R"({"name":"@mono/a"})");
        tree.write("big/mono/packages/b/package.json", R"({"name":"@mono/b"})");
        testfolders::initRepository(big + "/mono");
        tree.write("big/py/pyproject.toml", "[project]\nname = \"py\"\n");
        tree.write("big/java/pom.xml", "<project><artifactId>java</artifactId></project>");
        small = tree.mkdir("small");
        tree.write("small/one/package.json", "{}");
        testfolders::initRepository(small + "/one");
        tree.write("small/two/Package.swift", "");
        model = harness.makeViewModel();
    }

    // Waits until no scan, build, refresh or fetch of the view model is running.
    void settle() {
        ASSERT_TRUE(statetest::waitUntil([&] {
            return !model->isLoading() && !model->visualizationsPending() && model->refreshesRunning() == 0 &&
                   !model->fetcher()->isFetching();
        })) << "the view model did not come to rest";
    }

    void refreshOne(const Project& project) { model->refreshProject(idText(project)); }

    // What the disk does between looks: a file changes, a project goes or comes back.
    void changeDisk(QRandomGenerator& random) {
        switch (random.bounded(4)) {
        case 0: tree.write("big/cloned/work.txt", QByteArray::number(random.generate())); break;
        case 1: ::remove((big + "/py/pyproject.toml").constData()); break;
        case 2: tree.write("big/py/pyproject.toml", "[project]\nname = \"py\"\n"); break;
        default: git(small + "/one", {"checkout", "-q", random.bounded(2) ? "--detach" : "main"}); break;
        }
    }

    void checkInvariants() {
        const QList<Project>& projects = model->projects();
        // The root shown owns every project shown.
        if (!projects.isEmpty()) {
            ASSERT_TRUE(model->showsScanPath()) << "projects shown under another root's name";
            for (const Project& p : projects) ASSERT_TRUE(p.path.startsWith(*model->scanPathBytes() + '/'));
        }
        // Every project is exactly once a project node of the outline and the mindmap, with the
        // list's record.
        QHash<QString, Project> byPath;
        for (const Project& p : projects) byPath.insert(decodeUtf8KeepingBytes(p.path), p);
        int treeNodes = 0;
        std::function<void(const CachedTreeNode&)> visit = [&](const CachedTreeNode& node) {
            if (node.project) {
                ++treeNodes;
                ASSERT_EQ(byPath.value(node.fullPath), *node.project) << node.fullPath.toStdString();
            }
            for (const CachedTreeNode& child : node.children) visit(child);
        };
        for (const CachedTreeNode& node : model->cachedTreeData().nodes) visit(node);
        EXPECT_EQ(treeNodes, projects.size());
        int graphNodes = 0;
        for (const CachedGraphNode& node : model->cachedGraphData().flatNodes) {
            if (!node.project) continue;
            ++graphNodes;
            ASSERT_EQ(byPath.value(node.fullPath), *node.project) << node.fullPath.toStdString();
            ASSERT_EQ(*model->cachedGraphData().nodes.find(node.fullPath), node);
        }
        EXPECT_EQ(graphNodes, projects.size());
        // The rows are the projects that pass every filter, in the chosen order.
        const QList<Project> passing = filterProjects(projects, model->searchText(), model->selectedTypeFilter());
        QList<qsizetype> expected;
        for (qsizetype i = 0; i < projects.size(); ++i) {
            if (!passing.contains(projects.at(i))) continue;
            if (!matchesStatus(projects.at(i), model->statusFilter(), QDateTime::currentDateTime())) continue;
            if (model->hideNested() && isInsideRepository(projects.at(i))) continue;
            expected.append(i);
        }
        sortRows(expected, projects, model->sortOrder());
        auto* rows = static_cast<ProjectListModel*>(model->filteredModel());
        EXPECT_EQ(std::vector<qsizetype>(rows->rows().begin(), rows->rows().end()),
                  std::vector<qsizetype>(expected.begin(), expected.end()));
        EXPECT_EQ(model->filteredCount(), expected.size());
        EXPECT_EQ(model->matchSummary().isEmpty(), !model->filterActive());
        int attention = 0;
        for (const Project& p : projects) attention += needsAttention(p) ? 1 : 0;
        EXPECT_EQ(model->attentionCount(), attention);
        // The selection is shown, or there is none; the detail pane reads the list's record.
        if (const std::optional<Project>& selected = model->selectedProjectRecord()) {
            const int row = model->selectedRow();
            ASSERT_GE(row, 0) << "a selection the filters hide";
            EXPECT_EQ(rows->projectAt(row), *selected);
            EXPECT_EQ(model->selectedProject().value("id").toString(), idText(*selected));
        } else {
            EXPECT_EQ(model->selectedRow(), -1);
        }
    }

    QByteArray big, small;
    std::unique_ptr<ProjectsViewModel> model;
};

TEST_F(Invariants, EveryViewDescribesOneStateAfterEveryStep) {
    const quint32 seed = qEnvironmentVariableIntValue("INVARIANT_SEED") ? quint32(qEnvironmentVariableIntValue("INVARIANT_SEED"))
                                                                       : 20261209u;
    const int steps = qEnvironmentVariableIsSet("INVARIANT_STEPS") ? qEnvironmentVariableIntValue("INVARIANT_STEPS") : 1500;
    QRandomGenerator random(seed);
    const QStringList searches = {"", "mono", "o", "@", "zz", "nothing at all"};
    const QStringList kinds = {"", "Node.js", "Python", "Swift", "Java/Maven"};
    const QStringList states = {"", "attention", "modified", "stale"};
    model->chooseFolder(statetest::urlOf(big));
    for (int step = 0; step < steps; ++step) {
        const QList<Project> projects = model->projects();
        const auto any = [&]() -> const Project& { return projects.at(random.bounded(int(projects.size()))); };
        const int action = int(random.bounded(13));
        switch (action) {
        case 0: model->chooseFolder(statetest::urlOf(random.bounded(2) ? big : small)); break;
        case 1: model->scanProjects(); break;
        case 2:
            // A stop right away, or after the walk had a moment.
            model->scanProjects();
            if (random.bounded(2)) statetest::waitUntil([] { return false; }, int(random.bounded(30)));
            model->stopScan();
            break;
        case 3:
            model->chooseFolder(statetest::urlOf(random.bounded(2) ? big : small));
            model->stopScan();
            break;
        case 4: if (!projects.isEmpty()) refreshOne(any()); break;
        case 5: if (!projects.isEmpty()) model->fetchProject(idText(any())); break;
        case 6: model->setSearchText(searches.at(random.bounded(int(searches.size())))); break;
        case 7: model->setSelectedTypeFilterText(kinds.at(random.bounded(int(kinds.size())))); break;
        case 8: model->setStatusFilterText(states.at(random.bounded(int(states.size())))); break;
        case 9: if (!projects.isEmpty()) model->selectProject(idText(any())); break;
        case 10: model->clearLastFilter(); break;
        case 11:
            if (random.bounded(2)) model->setHideNested(!model->hideNested());
            else model->setSortOrder(allProjectSorts.at(random.bounded(int(allProjectSorts.size()))));
            break;
        default:
            changeDisk(random);
            // A refresh racing a full scan: both end, in either order.
            if (!projects.isEmpty()) refreshOne(any());
            if (random.bounded(2)) model->scanProjects();
            break;
        }
        if (qEnvironmentVariableIsSet("INVARIANT_TRACE")) std::printf("step %d action %d\n", step, action);
        settle();
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step << ", action " << action);
        checkInvariants();
        if (HasFatalFailure() || HasNonfatalFailure()) return;
    }
    std::printf("%d steps from seed %u\n", steps, seed);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
