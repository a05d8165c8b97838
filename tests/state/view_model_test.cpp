#include "state/FolderUrl.h"
#include "state/ProjectListModel.h"
#include "StateTestSupport.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdio>

using statetest::idText;
using statetest::urlOf;
using testfolders::TempTree;

namespace {

QStringList names(const QList<Project>& projects) {
    QStringList list;
    for (const Project& project : projects) list.append(project.name);
    return list;
}

using ViewModelTest = statetest::ViewModelTest;

TEST_F(ViewModelTest, InitialStateBeforeAnyScan) {
    auto model = harness.makeViewModel();
    EXPECT_FALSE(model->isLoading());
    EXPECT_EQ(model->loadingMessage(), QStringLiteral("Scanning projects..."));
    EXPECT_TRUE(model->projects().isEmpty());
    EXPECT_FALSE(model->selectedProjectRecord());
    EXPECT_TRUE(model->selectedProject().isEmpty());
    EXPECT_EQ(model->selectedProjectId(), QString());
    EXPECT_EQ(model->searchText(), QString());
    EXPECT_EQ(model->selectedTypeFilterText(), QString());
    EXPECT_FALSE(model->lastScanDate().isValid());
    EXPECT_FALSE(model->treeReady());
    EXPECT_FALSE(model->graphReady());
    EXPECT_EQ(model->cachedGraphData().width, 800);
    EXPECT_EQ(model->cachedGraphData().height, 600);
    EXPECT_EQ(model->filteredModel()->rowCount(), 0);
    EXPECT_TRUE(model->typeCountsList().isEmpty());

    // Without a root folder a scan does nothing at all.
    QSignalSpy loading(model.get(), &ProjectsViewModel::isLoadingChanged);
    QSignalSpy message(model.get(), &ProjectsViewModel::loadingMessageChanged);
    model->scanProjects();
    EXPECT_EQ(loading.count(), 0);
    EXPECT_EQ(message.count(), 0);
    EXPECT_FALSE(model->treeReady());
}

TEST_F(ViewModelTest, ScanOfAnEmptyFolder) {
    tree.mkdir("just/folders");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    EXPECT_TRUE(model->projects().isEmpty());
    EXPECT_FALSE(model->selectedProjectRecord());
    EXPECT_TRUE(model->lastScanDate().isValid());
    EXPECT_TRUE(model->treeReady());
    EXPECT_TRUE(model->graphReady());
    EXPECT_TRUE(model->cachedTreeData().nodes.isEmpty());
    EXPECT_TRUE(model->cachedGraphData().nodes.isEmpty());
    EXPECT_EQ(model->cachedGraphData().width, 800);
    EXPECT_EQ(model->cachedGraphData().height, 600);
    EXPECT_EQ(model->loadingMessage(), QStringLiteral("Building visualizations..."));
}

TEST_F(ViewModelTest, ScanPublishesItsStepsInOrder) {
    tree.write("app/package.json", "{}");
    auto model = harness.makeViewModel();
    model->setScanPath(tree.path());

    QStringList steps;
    ProjectsViewModel* m = model.get();
    QObject::connect(m, &ProjectsViewModel::isLoadingChanged, [&] { steps << QStringLiteral("loading=%1").arg(m->isLoading()); });
    QObject::connect(m, &ProjectsViewModel::loadingMessageChanged, [&] { steps << m->loadingMessage(); });
    QObject::connect(m, &ProjectsViewModel::projectsChanged, [&] { steps << QStringLiteral("projects=%1").arg(m->projectCount()); });
    QObject::connect(m, &ProjectsViewModel::lastScanDateChanged, [&] { steps << QStringLiteral("date"); });
    QObject::connect(m, &ProjectsViewModel::selectedProjectChanged, [&] { steps << QStringLiteral("selection"); });
    QObject::connect(m, &ProjectsViewModel::treeDataChanged, [&] { steps << QStringLiteral("tree=%1").arg(m->treeReady()); });
    QObject::connect(m, &ProjectsViewModel::graphDataChanged, [&] { steps << QStringLiteral("graph=%1").arg(m->graphReady()); });
    QObject::connect(m, &ProjectsViewModel::scanFinished, [&] { steps << QStringLiteral("finished"); });
    scan(*model);

    EXPECT_EQ(steps, (QStringList{"loading=1", "Scanning directories...", "projects=1", "selection", "date",
                                  "Building visualizations...", "tree=1", "graph=1", "loading=0", "finished"}));
}

TEST_F(ViewModelTest, FirstScanSelectsTheFirstProjectByName) {
    tree.write("gamma/package.json", "{}");
    tree.write("Beta/package.json", "{}");
    tree.write("nested/alpha/pom.xml", "<project/>");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());

    ASSERT_EQ(names(model->projects()), (QStringList{"alpha", "Beta", "gamma"}));
    ASSERT_TRUE(model->selectedProjectRecord());
    EXPECT_EQ(*model->selectedProjectRecord(), model->projects().first());
    EXPECT_EQ(model->selectedProjectId(), idText(model->projects().first()));
    EXPECT_EQ(model->selectedProject().value("name").toString(), QStringLiteral("alpha"));
    EXPECT_EQ(model->projectCount(), 3);
    EXPECT_EQ(model->filteredCount(), 3);

    // The list model shows the filtered list with the project map's roles.
    QAbstractItemModel* list = model->filteredModel();
    ASSERT_EQ(list->rowCount(), 3);
    const QHash<int, QByteArray> roles = list->roleNames();
    const QList<QByteArray> expectedRoles = {"id", "name", "path", "type", "icon", "color", "version",
                                             "lastModified", "lastModifiedText", "gitBranch", "remotes",
                                             "hasUncommittedChanges", "hasGit"};
    for (const QByteArray& role : expectedRoles) EXPECT_TRUE(roles.values().contains(role)) << role.constData();
    const QModelIndex first = list->index(0, 0);
    EXPECT_EQ(list->data(first, roles.key("name")).toString(), QStringLiteral("alpha"));
    EXPECT_EQ(list->data(first, roles.key("type")).toString(), QStringLiteral("Java/Maven"));
    EXPECT_EQ(list->data(first, roles.key("icon")).toString(), QStringLiteral("cup.and.saucer"));
    EXPECT_EQ(list->data(first, roles.key("color")).toString(), QStringLiteral("orange"));
    EXPECT_EQ(list->data(first, roles.key("path")).toString(), QString::fromUtf8(tree.path() + "/nested/alpha"));
    // Absent optional values are null, not empty texts.
    EXPECT_EQ(list->data(first, roles.key("gitBranch")).typeId(), QMetaType::Nullptr);
    EXPECT_EQ(list->data(first, roles.key("version")).typeId(), QMetaType::Nullptr);
}

TEST_F(ViewModelTest, ProjectMapCarriesGitFields) {
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/package.json", R"({"name":"repo-app","version":"1.2.3"})");
    testfolders::initRepository(repo);
    testfolders::git(repo, {"remote", "add", "origin", "git@example.com:me/repo.git"});
    auto model = harness.makeViewModel();
    choose(*model, tree.path());

    const QVariantMap map = model->projectById(model->selectedProjectId());
    EXPECT_EQ(map.value("name").toString(), QStringLiteral("repo-app"));
    EXPECT_EQ(map.value("version").toString(), QStringLiteral("1.2.3"));
    EXPECT_EQ(map.value("hasGit").toBool(), true);
    EXPECT_EQ(map.value("hasUncommittedChanges").toBool(), false);
    EXPECT_EQ(map.value("gitBranch").typeId(), QMetaType::QString);
    EXPECT_EQ(map.value("lastModified").toDateTime(), QDateTime::fromString("2026-01-31T09:15:00Z", Qt::ISODate));
    const QVariantList remotes = map.value("remotes").toList();
    ASSERT_EQ(remotes.size(), 1);
    EXPECT_EQ(remotes.first().toMap().value("name").toString(), QStringLiteral("origin"));
    EXPECT_EQ(remotes.first().toMap().value("url").toString(), QStringLiteral("git@example.com:me/repo.git"));
    EXPECT_FALSE(map.value("id").toString().startsWith('{'));

    EXPECT_TRUE(model->projectById(QStringLiteral("not-an-id")).isEmpty());
    EXPECT_TRUE(model->projectById(QUuid::createUuid().toString()).isEmpty());
}

TEST_F(ViewModelTest, SelectingByIdAndClearing) {
    tree.write("a/package.json", "{}");
    tree.write("b/package.json", "{}");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    QSignalSpy changed(model.get(), &ProjectsViewModel::selectedProjectChanged);
    const Project second = model->projects().at(1);

    model->selectProject(idText(second));
    EXPECT_EQ(model->selectedProjectRecord(), second);
    model->selectProject(QUuid::createUuid().toString(QUuid::WithoutBraces));
    model->selectProject(QStringLiteral("junk"));
    EXPECT_EQ(model->selectedProjectRecord(), second);
    model->selectProject(QString());
    EXPECT_FALSE(model->selectedProjectRecord());
    EXPECT_TRUE(model->selectedProject().isEmpty());
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(ViewModelTest, RescanPointsTheSelectionAtTheNewRecordOfItsFolder) {
    const QByteArray repo = tree.mkdir("b-repo");
    tree.write("b-repo/package.json", "{}");
    testfolders::initRepository(repo);
    tree.write("a-app/package.json", "{}");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    const Project old = named(*model, "b-repo");
    model->selectProject(idText(old));
    EXPECT_FALSE(old.hasUncommittedChanges);

    tree.write("b-repo/new-file.txt", "changed on disk");
    scan(*model);

    const Project current = named(*model, "b-repo");
    EXPECT_NE(current.id, old.id);
    ASSERT_TRUE(model->selectedProjectRecord());
    EXPECT_EQ(*model->selectedProjectRecord(), current);
    EXPECT_TRUE(model->selectedProjectRecord()->hasUncommittedChanges);
    EXPECT_EQ(model->modifiedCount(), 1);
}

TEST_F(ViewModelTest, SelectionMovesToTheNewRootsFirstProjectOrToNone) {
    TempTree other;
    other.write("zeta/package.json", "{}");
    other.write("omega/package.json", "{}");
    TempTree empty;
    tree.write("one/package.json", "{}");
    tree.write("two/package.json", "{}");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    model->selectProject(idText(named(*model, "two")));

    choose(*model, other.path());
    ASSERT_TRUE(model->selectedProjectRecord());
    EXPECT_EQ(model->selectedProjectRecord()->name, QStringLiteral("omega"));
    EXPECT_EQ(*model->selectedProjectRecord(), model->projects().first());

    choose(*model, empty.path());
    EXPECT_FALSE(model->selectedProjectRecord());
}

TEST_F(ViewModelTest, OverlappingScansLetTheNewestWin) {
    TempTree first;
    for (int i = 0; i < 20; ++i) first.write(QByteArray("old-") + QByteArray::number(i) + "/package.json", "{}");
    TempTree second;
    second.write("new-app/package.json", "{}");
    auto model = harness.makeViewModel();

    QList<QStringList> published;
    QList<bool> loading;
    QObject::connect(model.get(), &ProjectsViewModel::projectsChanged, [&] { published.append(names(model->projects())); });
    QObject::connect(model.get(), &ProjectsViewModel::isLoadingChanged, [&] { loading.append(model->isLoading()); });
    QSignalSpy finished(model.get(), &ProjectsViewModel::scanFinished);

    model->chooseFolder(urlOf(first.path()));
    model->chooseFolder(urlOf(second.path()));
    ASSERT_TRUE(finished.wait(kWait));

    // The first folder's list was never shown, and loading ended once, with the second one.
    EXPECT_EQ(published, QList<QStringList>{QStringList{"new-app"}});
    EXPECT_EQ(loading, (QList<bool>{true, false}));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(model->scanPathBytes(), second.path());
    ASSERT_EQ(model->cachedTreeData().nodes.size(), 1);
    EXPECT_EQ(model->cachedTreeData().nodes.first().fullPath, QString::fromUtf8(second.path()));

    // The same with "Refresh All" pressed twice on one folder.
    loading.clear();
    model->scanProjects();
    model->scanProjects();
    ASSERT_TRUE(finished.wait(kWait));
    EXPECT_EQ(loading, (QList<bool>{true, false}));
    EXPECT_EQ(finished.count(), 2);
}

TEST_F(ViewModelTest, ScanStartedDuringTheRebuildStillEndsWithTheNewestFolder) {
    tree.write("first-app/package.json", "{}");
    TempTree second;
    second.write("second-app/package.json", "{}");
    auto model = harness.makeViewModel();
    model->setScanPath(tree.path());

    QList<bool> loading;
    QObject::connect(model.get(), &ProjectsViewModel::isLoadingChanged, [&] { loading.append(model->isLoading()); });
    bool switched = false;
    QObject::connect(model.get(), &ProjectsViewModel::loadingMessageChanged, [&] {
        if (!switched && model->loadingMessage() == QStringLiteral("Building visualizations...")) {
            switched = true;
            model->chooseFolder(urlOf(second.path()));
        }
    });
    QSignalSpy finished(model.get(), &ProjectsViewModel::scanFinished);
    model->scanProjects();
    ASSERT_TRUE(finished.wait(kWait));

    EXPECT_TRUE(switched);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(loading, (QList<bool>{true, false}));
    EXPECT_EQ(names(model->projects()), QStringList{"second-app"});
    ASSERT_EQ(model->cachedTreeData().nodes.size(), 1);
    EXPECT_EQ(model->cachedTreeData().nodes.first().fullPath, QString::fromUtf8(second.path()));
    ASSERT_TRUE(model->selectedProjectRecord());
    EXPECT_EQ(model->selectedProjectRecord()->name, QStringLiteral("second-app"));
}

TEST_F(ViewModelTest, FiltersNarrowTheListButNotTheVisualizations) {
    tree.write("clients/web-api/package.json", "{}");
    tree.write("clients/site/package.json", "{}");
    tree.write("tools/api-gen/setup.py", "");
    tree.write("tools/scripts/pyproject.toml", "");
    tree.write("lab/Space Probe/Package.swift", "");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    const CachedTreeData treeBefore = model->cachedTreeData();
    const CachedGraphData graphBefore = model->cachedGraphData();
    QSignalSpy treeChanged(model.get(), &ProjectsViewModel::treeDataChanged);
    QSignalSpy graphChanged(model.get(), &ProjectsViewModel::graphDataChanged);
    QSignalSpy filteredChanged(model.get(), &ProjectsViewModel::filteredProjectsChanged);
    QSignalSpy reset(model->filteredModel(), &QAbstractItemModel::modelReset);

    model->setSearchText(QStringLiteral("API"));
    EXPECT_EQ(names(model->filteredProjects()), (QStringList{"api-gen", "web-api"}));
    EXPECT_EQ(model->filteredModel()->rowCount(), 2);
    model->setSelectedTypeFilterText(QStringLiteral("Python"));
    EXPECT_EQ(names(model->filteredProjects()), QStringList{"api-gen"});
    model->setSelectedTypeFilterText(QStringLiteral("No such kind"));
    EXPECT_EQ(model->selectedTypeFilterText(), QStringLiteral("Python"));
    model->setSearchText(QString());
    EXPECT_EQ(names(model->filteredProjects()), (QStringList{"api-gen", "scripts"}));
    model->setSearchText(QStringLiteral(" "));
    EXPECT_TRUE(model->filteredProjects().isEmpty());
    model->setSelectedTypeFilterText(QString());
    EXPECT_EQ(names(model->filteredProjects()), QStringList{"Space Probe"});
    model->setSearchText(QStringLiteral("clients"));
    EXPECT_EQ(names(model->filteredProjects()), (QStringList{"site", "web-api"}));
    EXPECT_EQ(model->filteredCount(), 2);
    const int resets = reset.count();
    // A text that keeps the same projects leaves the list model alone.
    model->setSearchText(QStringLiteral("client"));
    EXPECT_EQ(reset.count(), resets);

    EXPECT_EQ(filteredChanged.count(), 6);
    EXPECT_EQ(treeChanged.count(), 0);
    EXPECT_EQ(graphChanged.count(), 0);
    EXPECT_EQ(model->cachedTreeData(), treeBefore);
    EXPECT_EQ(model->cachedGraphData(), graphBefore);

    // Counts ignore the filters: 2 Python, 2 Node.js, 1 Swift, with Node.js first on the tie.
    const QVariantList counts = model->typeCountsList();
    ASSERT_EQ(counts.size(), 3);
    EXPECT_EQ(counts[0].toMap().value("type").toString(), QStringLiteral("Node.js"));
    EXPECT_EQ(counts[0].toMap().value("count").toInt(), 2);
    EXPECT_EQ(counts[0].toMap().value("icon").toString(), QStringLiteral("cube.box"));
    EXPECT_EQ(counts[1].toMap().value("type").toString(), QStringLiteral("Python"));
    EXPECT_EQ(counts[2].toMap().value("type").toString(), QStringLiteral("Swift"));
    EXPECT_EQ(counts[2].toMap().value("count").toInt(), 1);
}

TEST_F(ViewModelTest, RefreshReplacesOneRecordInEveryView) {
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/package.json", "{}");
    testfolders::initRepository(repo);
    tree.write("other/package.json", "{}");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    const Project before = named(*model, "repo");
    model->selectProject(idText(before));
    const qsizetype position = model->projects().indexOf(before);
    const QDateTime scanDate = model->lastScanDate();
    QSignalSpy treeChanged(model.get(), &ProjectsViewModel::treeDataChanged);
    QSignalSpy updated(model.get(), &ProjectsViewModel::projectUpdated);
    QSignalSpy loading(model.get(), &ProjectsViewModel::isLoadingChanged);
    QSignalSpy rowChanged(model->filteredModel(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model->filteredModel(), &QAbstractItemModel::modelReset);

    tree.write("repo/dirty.txt", "uncommitted");
    refresh(*model, idText(before));

    const Project after = model->projects().at(position);
    EXPECT_NE(after.id, before.id);
    EXPECT_EQ(after.path, before.path);
    EXPECT_TRUE(after.hasUncommittedChanges);
    EXPECT_EQ(model->selectedProjectRecord(), after);
    EXPECT_EQ(model->modifiedCount(), 1);
    EXPECT_EQ(model->projectCount(), 2);
    // The list row is updated in place.
    EXPECT_EQ(reset.count(), 0);
    ASSERT_EQ(rowChanged.count(), 1);
    const QModelIndex row = rowChanged.first().first().value<QModelIndex>();
    EXPECT_EQ(row.row(), model->filteredProjects().indexOf(after));
    EXPECT_EQ(row.data(ProjectListModel::HasUncommittedChangesRole).toBool(), true);
    // Tree and graph take the record in place; scan date and loading state are untouched.
    EXPECT_EQ(treeChanged.count(), 0);
    ASSERT_EQ(updated.count(), 1);
    EXPECT_EQ(updated.first().first().toString(), QString::fromUtf8(after.path));
    const CachedGraphNode* node = model->cachedGraphData().nodes.find(QString::fromUtf8(after.path));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->project, after);
    EXPECT_EQ(model->cachedTreeData().nodes.first().children.last().project, after); // after "other"
    EXPECT_EQ(model->lastScanDate(), scanDate);
    EXPECT_EQ(loading.count(), 0);

    // A second refresh works from the record the first one put in place.
    testfolders::git(repo, {"add", "-A"});
    testfolders::git(repo, {"commit", "-q", "-m", "tidy"});
    refresh(*model, idText(after));
    const Project again = model->projects().at(position);
    EXPECT_NE(again.id, after.id);
    EXPECT_FALSE(again.hasUncommittedChanges);
    EXPECT_EQ(model->selectedProjectRecord(), again);
}

TEST_F(ViewModelTest, RefreshOfAnOldRecordChangesNothingAndAVanishedProjectLeaves) {
    tree.write("app/package.json", "{}");
    tree.write("lib/package.json", "{}");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    const Project oldApp = named(*model, "app");
    scan(*model);
    const QList<Project> projects = model->projects();
    model->selectProject(idText(named(*model, "lib")));
    const std::optional<Project> selection = model->selectedProjectRecord();
    QSignalSpy projectsChanged(model.get(), &ProjectsViewModel::projectsChanged);

    // The old record's id is neither in the list nor the selection.
    QSignalSpy finished(model.get(), &ProjectsViewModel::refreshFinished);
    model->refreshProject(oldApp);
    ASSERT_TRUE(finished.wait(kWait));
    refresh(*model, idText(oldApp));
    EXPECT_EQ(model->projects(), projects);
    EXPECT_EQ(model->selectedProjectRecord(), selection);

    EXPECT_EQ(projectsChanged.count(), 0);

    // A folder that is no longer a project leaves the list, the selection and the tree.
    ASSERT_EQ(std::remove((tree.path() + "/lib/package.json").constData()), 0);
    refresh(*model, idText(*selection));
    EXPECT_EQ(names(model->projects()), QStringList{"app"});
    EXPECT_FALSE(model->selectedProjectRecord());
    ASSERT_TRUE(statetest::waitUntil([&] { return !model->visualizationsPending(); }));
    EXPECT_EQ(model->cachedTreeData().nodes.first().children.size(), 1);
}

TEST_F(ViewModelTest, ActionsReachThePlatformServices) {
    tree.write("my app/package.json", "{}");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    const QString id = model->selectedProjectId();
    const QByteArray path = model->selectedProjectRecord()->path;

    model->openInFinder(id);
    ASSERT_EQ(harness.fileManager->opened.size(), 1);
    EXPECT_EQ(localFolderPath(harness.fileManager->opened.first()), path);
    EXPECT_EQ(harness.fileManager->opened.first().toLocalFile(), QString::fromUtf8(path));

    model->openInTerminal(id);
    EXPECT_EQ(harness.terminal->folders, QList<QByteArray>{path});

    model->copyRemoteURL(QStringLiteral("https://example.com/me/app.git"));
    EXPECT_EQ(harness.clipboard->calls, (QStringList{"clear", "text:https://example.com/me/app.git"}));
    EXPECT_EQ(harness.clipboard->text, QStringLiteral("https://example.com/me/app.git"));

    // Unknown projects do nothing.
    model->openInFinder(QUuid::createUuid().toString());
    model->openInTerminal(QStringLiteral("nonsense"));
    EXPECT_EQ(harness.fileManager->opened.size(), 1);
    EXPECT_EQ(harness.terminal->folders.size(), 1);

    QSignalSpy dialog(model.get(), &ProjectsViewModel::folderDialogRequested);
    model->selectFolder();
    EXPECT_EQ(dialog.count(), 1);

    // Without services the actions are passed over (a null service would be dereferenced here).
    ProjectsViewModel bare(harness.scanner, harness.settings, PlatformServices{});
    choose(bare, tree.path());
    ASSERT_FALSE(bare.selectedProjectId().isEmpty());
    bare.openInFinder(bare.selectedProjectId());
    bare.openInTerminal(bare.selectedProjectId());
    bare.copyRemoteURL(QStringLiteral("x"));
}

TEST_F(ViewModelTest, DestroyedWhileScanningIsSafe) {
    for (int i = 0; i < 5; ++i) tree.write(QByteArray("p") + QByteArray::number(i) + "/package.json", "{}");
    auto model = harness.makeViewModel();
    choose(*model, tree.path());
    // A scan and a refresh of a real project, both still running when the model goes.
    model->scanProjects();
    model->refreshProject(model->selectedProjectId());
    ASSERT_TRUE(model->isLoading());
    model.reset();
    // Let the scanner finish and deliver into the void.
    auto probe = harness.makeViewModel();
    QSignalSpy finished(probe.get(), &ProjectsViewModel::scanFinished);
    probe->scanProjects();
    ASSERT_TRUE(finished.wait(kWait));
    EXPECT_EQ(probe->projectCount(), 5);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
