#include "TreeOutlineModel.h"
#include "ViewMath.h"
#include "VizTestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QDateTime kNow = QDateTime::currentDateTime();

CachedTreeData outline(const QList<Project>& projects, const QString& root) {
    CachedTreeData data;
    data.nodes = buildTreeData(projects, root, QLocale(QLocale::English));
    data.isReady = true;
    return data;
}

QStringList names(const TreeOutlineModel& model) {
    QStringList result;
    for (int i = 0; i < model.count(); ++i) result << model.row(i).name;
    return result;
}

} // namespace

TEST(TreeOutlineModelTest, RowsAreTheOutlineInDisplayOrder) {
    TreeOutlineModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setTreeData(outline({viztest::project("/r/web/shop"), viztest::project("/r/web/blog"),
                               viztest::project("/r/tools/cli")},
                              "/r"),
                      kNow);
    EXPECT_EQ(names(model), (QStringList{"r", "tools", "cli", "web", "blog", "shop"}));
    QList<qint64> depths;
    for (int i = 0; i < model.count(); ++i) depths << model.row(i).depth;
    EXPECT_EQ(depths, (QList<qint64>{0, 1, 2, 1, 2, 2}));
    EXPECT_EQ(model.rowOf("/r/web/shop"), 5);
    EXPECT_EQ(model.rowOf("/nowhere"), -1);
}

TEST(TreeOutlineModelTest, FolderCountsIncludeNestedProjects) {
    TreeOutlineModel model;
    model.setTreeData(outline({viztest::project("/r/web/shop"), viztest::project("/r/web/shop/plugin"),
                               viztest::project("/r/web/blog"), viztest::project("/r/other/x")},
                              "/r"),
                      kNow);
    const TreeOutlineModel::Row& web = model.row(model.rowOf("/r/web"));
    EXPECT_EQ(web.projectCount, 3);
    EXPECT_TRUE(web.hasChildren);
    EXPECT_FALSE(web.isProject);
    EXPECT_EQ(model.row(model.rowOf("/r")).projectCount, 4);
    // A project with a nested project counts itself and the nested one.
    const TreeOutlineModel::Row& shop = model.row(model.rowOf("/r/web/shop"));
    EXPECT_TRUE(shop.isProject);
    EXPECT_EQ(shop.projectCount, 2);
    const TreeOutlineModel::Row& blog = model.row(model.rowOf("/r/web/blog"));
    EXPECT_FALSE(blog.hasChildren);
    // Through the model's roles as QML reads them.
    const QModelIndex index = model.index(model.rowOf("/r/web"));
    EXPECT_EQ(model.data(index, TreeOutlineModel::ProjectCountRole).toInt(), 3);
    EXPECT_EQ(model.data(index, TreeOutlineModel::FolderColorRole).toString(), QStringLiteral("indigo"));
}

TEST(TreeOutlineModelTest, FolderColoursFollowTheDepth) {
    TreeOutlineModel model;
    model.setTreeData(outline({viztest::project("/r/a/b/c/d/e/f/g/p")}, "/r"), kNow);
    EXPECT_EQ(model.row(model.rowOf("/r")).folderColor, QStringLiteral("blue"));
    EXPECT_EQ(model.row(model.rowOf("/r/a")).folderColor, QStringLiteral("indigo"));
    EXPECT_EQ(model.row(model.rowOf("/r/a/b/c/d/e/f")).folderColor, QStringLiteral("blue"));
}

TEST(TreeOutlineModelTest, ProjectRowsCarryWhatTheCardShows) {
    Project p = viztest::project("/r/app", ProjectType::python);
    p.version = QStringLiteral("2.1");
    p.gitBranch = QStringLiteral("main");
    p.hasUncommittedChanges = true;
    p.lastModified = kNow.addDays(-8);
    Project bare = viztest::project("/r/bare", ProjectType::unknown);

    TreeOutlineModel model;
    model.setTreeData(outline({p, bare}, "/r"), kNow);
    const QModelIndex app = model.index(model.rowOf("/r/app"));
    EXPECT_TRUE(model.data(app, TreeOutlineModel::IsProjectRole).toBool());
    EXPECT_EQ(model.data(app, TreeOutlineModel::ProjectIdRole).toString(), p.id.toString(QUuid::WithoutBraces));
    EXPECT_EQ(model.data(app, TreeOutlineModel::KindIconRole).toString(), projecttype::icon(ProjectType::python));
    EXPECT_EQ(model.data(app, TreeOutlineModel::KindColorRole).toString(), QStringLiteral("yellow"));
    EXPECT_EQ(model.data(app, TreeOutlineModel::VersionRole).toString(), QStringLiteral("2.1"));
    EXPECT_EQ(model.data(app, TreeOutlineModel::BranchRole).toString(), QStringLiteral("main"));
    EXPECT_TRUE(model.data(app, TreeOutlineModel::HasChangesRole).toBool());
    EXPECT_EQ(model.data(app, TreeOutlineModel::ActivityColorRole).toString(), QStringLiteral("gray"));

    const QModelIndex none = model.index(model.rowOf("/r/bare"));
    EXPECT_TRUE(model.data(none, TreeOutlineModel::VersionRole).isNull());
    EXPECT_TRUE(model.data(none, TreeOutlineModel::BranchRole).isNull());
    EXPECT_EQ(model.data(none, TreeOutlineModel::ActivityColorRole).toString(), QStringLiteral("gray"));
}

TEST(TreeOutlineModelTest, AProjectNodeWithoutARecordIsAFolder) {
    CachedTreeNode root;
    root.id = root.fullPath = "/r";
    root.name = "r";
    CachedTreeNode odd;
    odd.id = odd.fullPath = "/r/odd";
    odd.name = "odd";
    odd.depth = 1;
    odd.isProject = true; // but no record
    root.children = {odd};
    TreeOutlineModel model;
    model.setTreeData(CachedTreeData{{root}, true}, kNow);
    EXPECT_FALSE(model.row(1).isProject);
    // A node flagged as a project still counts as one, as the data says.
    EXPECT_EQ(model.row(0).projectCount, 1);
}

TEST(TreeOutlineModelTest, ReadinessAndEmptyOutlines) {
    TreeOutlineModel model;
    QSignalSpy ready(&model, &TreeOutlineModel::readyChanged);
    EXPECT_FALSE(model.isReady());
    model.setTreeData(CachedTreeData{{}, true}, kNow);
    EXPECT_TRUE(model.isReady());
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(ready.count(), 1);
    EXPECT_DOUBLE_EQ(model.contentWidth(), 0.0);
}

TEST(TreeOutlineModelTest, ContentWidthCoversTheDeepestAndLongestRow) {
    TreeOutlineModel model;
    model.setTreeData(outline({viztest::project("/r/a")}, "/r"), kNow);
    const double shallow = model.contentWidth();
    EXPECT_GT(shallow, 24 + 20);
    model.setTreeData(outline({viztest::project("/r/a"), viztest::project("/r/b/c/d/e/f")}, "/r"), kNow);
    // Depth 5: 5 x 24 of indentation and the connector before the card.
    EXPECT_GE(model.contentWidth(), 5 * 24 + 20 + 18);
    model.setTreeData(outline({viztest::project("/r/a" + QString(80, u'x'))}, "/r"), kNow);
    EXPECT_GT(model.contentWidth(), shallow + 200);
}

TEST(TreeOutlineModelTest, ALargeWorkspaceHasOneRowPerNode) {
    const QList<Project> projects = viztest::workspace("/w", 5000, kNow);
    TreeOutlineModel model;
    model.setTreeData(outline(projects, "/w"), kNow);
    // Every project appears once.
    int projectRows = 0;
    for (int i = 0; i < model.count(); ++i) projectRows += model.row(i).isProject ? 1 : 0;
    EXPECT_EQ(projectRows, 5000);
    EXPECT_EQ(model.row(0).projectCount, 5000);
}

TEST(TreeOutlineModelTest, ZoomStepsComeFromTheSharedArithmetic) {
    TreeOutlineModel model;
    EXPECT_DOUBLE_EQ(model.zoomIn(1.0), viewmath::treeZoomIn(1.0));
    EXPECT_DOUBLE_EQ(model.zoomIn(2.9), viewmath::treeMaxScale);
    EXPECT_DOUBLE_EQ(model.zoomOut(0.4), viewmath::treeMinScale);
    EXPECT_DOUBLE_EQ(model.pinch(1.0, 10.0), viewmath::treeMaxScale);
    EXPECT_NEAR(model.wheelZoom(1.0, 1), 1.1, 1e-9);
    EXPECT_DOUBLE_EQ(model.wheelZoom(1.0, -100), viewmath::treeMinScale);
    EXPECT_EQ(model.zoomText(1.2), viewmath::zoomPercentText(1.2));
}

TEST(TreeOutlineModelTest, FoldsHideSubtreesInPlaceAndOutliveARebuild) {
    TreeOutlineModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QList<Project> projects = {viztest::project("/r/web/shop"), viztest::project("/r/web/shop/plugin"),
                                     viztest::project("/r/web/blog"), viztest::project("/r/tools/cli")};
    model.setTreeData(outline(projects, "/r"), kNow);
    ASSERT_EQ(names(model), (QStringList{"r", "tools", "cli", "web", "blog", "shop", "plugin"}));
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    struct Step {
        std::function<void()> act;
        QStringList shown;
    };
    const Step steps[] = {
        // A folded folder keeps its line and hides its subtree, nested folds included.
        {[&] { model.setFolded("/r/web/shop", true); }, {"r", "tools", "cli", "web", "blog", "shop"}},
        {[&] { model.setFolded("/r/web", true); }, {"r", "tools", "cli", "web"}},
        {[&] { model.setFolded("/r/web", false); }, {"r", "tools", "cli", "web", "blog", "shop"}},
        // A line without children does not fold.
        {[&] { model.setFolded("/r/tools/cli", true); }, {"r", "tools", "cli", "web", "blog", "shop"}},
        // Left on a leaf folds its folder; Right unfolds; Left on an unfolded parent folds it.
        {[&] { model.foldAround("/r/tools/cli", true); }, {"r", "tools", "web", "blog", "shop"}},
        {[&] { model.foldAround("/r/tools", false); }, {"r", "tools", "cli", "web", "blog", "shop"}},
        // Revealing a line unfolds every node above it.
        {[&] { model.setFolded("/r", true); }, {"r"}},
        {[&] { EXPECT_EQ(model.reveal("/r/web/shop/plugin"), 6); },
         {"r", "tools", "cli", "web", "blog", "shop", "plugin"}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(names(model), step.shown);
    }
    EXPECT_GT(removed.count(), 0) << "folding removes rows instead of resetting the model";

    // The folds stay when the outline is built again (a refresh, a rescan).
    model.setFolded("/r/tools", true);
    model.setTreeData(outline(projects, "/r"), kNow);
    EXPECT_EQ(names(model), (QStringList{"r", "tools", "web", "blog", "shop", "plugin"}));
    EXPECT_EQ(model.rowOf("/r/tools/cli"), -1);
    EXPECT_EQ(model.foldedIds(), QStringList{"/r/tools"});
}
