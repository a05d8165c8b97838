#include "Appearance.h"
#include "ColorScheme.h"
#include "TreeOutlineModel.h"
#include "VizTestSupport.h"
#include "model/Attention.h"
#include "state/ProjectsViewModel.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QQuickItem>
#include <QTest>
#include <gtest/gtest.h>

using namespace viztest;

namespace {

// The outline line of the node at `path`, once it has been created by the list.
QQuickItem* rowFor(QQuickItem* view, const QString& path) {
    return itemWith(view, "nodeId", path);
}

QString projectIdNamed(ProjectsViewModel& vm, const QString& name) {
    for (const Project& p : vm.projects())
        if (p.name == name) return p.id.toString(QUuid::WithoutBraces);
    return {};
}

QString zoomLabel(QQuickItem* view) { return child(view, "zoomLabel")->property("text").toString(); }

// r/web/shop (with r/web/shop/plugin inside), r/web/blog, r/tools/cli.
struct TreeFixture : ::testing::Test {
    Workspace disk;
    ViewHarness ui;
    QQuickItem* view = nullptr;

    void SetUp() override {
        disk.addProject("web/shop", "shop", "1.2.0", 2);
        disk.addProject("web/shop/plugin", "plugin", {}, 8);
        disk.addProject("web/blog", "blog", {}, 31);
        disk.addProject("tools/cli", "cli", "0.1.0", 0);
        disk.stampTimes();
        ASSERT_TRUE(ui.scan(disk.root()));
        view = ui.show("TreeVisualizationView");
        ASSERT_NE(view, nullptr);
    }
    QString path(const char* relative) const { return QString::fromUtf8(disk.root() + '/' + relative); }
};

} // namespace

TEST(TreeViewLoadingTest, ShowsTheLoadingIndicatorUntilTheOutlineIsBuilt) {
    ViewHarness ui;
    QQuickItem* view = ui.show("TreeVisualizationView");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(child(view, "loading")->isVisible());
    EXPECT_TRUE(itemWith(view, "text", "Loading tree...") != nullptr);
    EXPECT_FALSE(child(view, "outline")->isVisible());
    EXPECT_FALSE(child(view, "zoomPanel")->isVisible());
}

TEST(TreeViewLoadingTest, AnEmptyOutlineShowsTheScrollAreaAndTheZoomPanel) {
    Workspace disk;
    ViewHarness ui;
    ASSERT_TRUE(ui.scan(disk.root()));
    QQuickItem* view = ui.show("TreeVisualizationView");
    EXPECT_FALSE(child(view, "loading")->isVisible());
    EXPECT_TRUE(child(view, "outline")->isVisible());
    EXPECT_TRUE(child(view, "zoomPanel")->isVisible());
    EXPECT_EQ(child(view, "outline")->property("count").toInt(), 0);
}

TEST_F(TreeFixture, LinesAreIndentedByDepthWithAConnectorBelowTheTopLevel) {
    QQuickItem* root = rowFor(view, QString::fromUtf8(disk.root()));
    QQuickItem* blog = rowFor(view, path("web/blog"));
    ASSERT_TRUE(root && blog);

    // Top level: no indentation, no connector.
    EXPECT_FALSE(child(root, "connector")->isVisible());
    EXPECT_DOUBLE_EQ(child(root, "directoryNode")->mapToItem(child(root, "line"), QPointF(0, 0)).x(), 0.0);

    // Depth 2: the connector starts 48 in and the card follows it.
    QQuickItem* connector = child(blog, "connector");
    EXPECT_TRUE(connector->isVisible());
    EXPECT_DOUBLE_EQ(connector->x(), 48.0);
    EXPECT_DOUBLE_EQ(connector->width(), 20.0);
    EXPECT_DOUBLE_EQ(child(blog, "projectNode")->mapToItem(child(blog, "line"), QPointF(0, 0)).x(), 68.0);

    // On screen, behind the 30-point padding.
    QQuickItem* line = child(blog, "line");
    const QPointF inView = child(blog, "projectNode")->mapToItem(view, QPointF(0, 0));
    const QPointF lineInView = line->mapToItem(view, QPointF(0, 0));
    EXPECT_DOUBLE_EQ(inView.x() - lineInView.x(), 68.0);
    EXPECT_DOUBLE_EQ(lineInView.x(), 30.0);
}

TEST_F(TreeFixture, FolderLabelsCountTheProjectsBelowThem) {
    QQuickItem* web = rowFor(view, path("web"));
    ASSERT_TRUE(web);
    // shop, its nested plugin, and blog.
    EXPECT_EQ(child(web, "projectCount")->property("text").toString(), QStringLiteral("(3)"));
    EXPECT_EQ(web->property("folderColor").toString(), QStringLiteral("indigo"));
    QQuickItem* root = rowFor(view, QString::fromUtf8(disk.root()));
    EXPECT_EQ(child(root, "projectCount")->property("text").toString(), QStringLiteral("(4)"));
    EXPECT_EQ(root->property("folderColor").toString(), QStringLiteral("blue"));
}

TEST_F(TreeFixture, ActivityDotsShowTheAgeInNeutralTones) {
    // The fill, or the ring's colour when it is hollow (over a month old): never red.
    auto dot = [&](const char* relative) {
        QQuickItem* row = rowFor(view, path(relative));
        QQuickItem* d = row ? child(row, "activityDot") : nullptr;
        if (!d) return QColor();
        const QColor fill = d->property("color").value<QColor>();
        return fill.alpha() == 0 ? d->property("border").value<QObject*>()->property("color").value<QColor>() : fill;
    };
    EXPECT_EQ(dot("tools/cli"), ui.themeColor("green"));
    EXPECT_EQ(dot("web/shop"), ui.themeColor("gray"));
    EXPECT_EQ(dot("web/shop/plugin"), ui.themeColor("gray"));
    EXPECT_EQ(dot("web/blog"), ui.themeColor("gray"));
    EXPECT_EQ(child(rowFor(view, path("web/blog")), "activityDot")->property("color").value<QColor>().alpha(), 0);
    // Only the project with a version shows one.
    EXPECT_TRUE(itemWith(rowFor(view, path("web/shop")), "text", "v1.2.0"));
    EXPECT_FALSE(itemWith(rowFor(view, path("web/blog")), "text", "v"));
}

TEST_F(TreeFixture, ClickingACardSelectsItsProject) {
    ui.viewModel().selectProject("");
    QQuickItem* blog = rowFor(view, path("web/blog"));
    QQuickItem* card = child(blog, "projectNode");
    click(card);
    const QString blogId = projectIdNamed(ui.viewModel(), "blog");
    EXPECT_EQ(ui.viewModel().selectedProjectId(), blogId);
    ui.render();
    EXPECT_TRUE(card->property("isSelected").toBool());
    EXPECT_EQ(child(card, "name")->property("font").value<QFont>().weight(), QFont::DemiBold);
    EXPECT_NEAR(child(card, "cardBackground")->property("color").value<QColor>().alphaF(), 0.12, 0.005);
    // A second click keeps the selection.
    click(card);
    EXPECT_EQ(ui.viewModel().selectedProjectId(), blogId);
    // Selecting elsewhere moves the look.
    ui.viewModel().selectProject(projectIdNamed(ui.viewModel(), "cli"));
    EXPECT_FALSE(card->property("isSelected").toBool());
    EXPECT_EQ(child(card, "name")->property("font").value<QFont>().weight(), QFont::Normal);
}

TEST(TreeAttentionTest, ProjectsThatNeedAttentionCarryAReadableMarkThatSaysWhy) {
    Workspace disk;
    const QByteArray dirty = disk.addProject("dirty", "dirty");
    testfolders::initRepository(dirty);
    QFile change(QFile::decodeName(dirty + "/work.txt"));
    ASSERT_TRUE(change.open(QIODevice::WriteOnly));
    change.write("not committed\n");
    change.close();
    disk.addProject("tidy", "tidy");
    ViewHarness ui;
    ASSERT_TRUE(ui.scan(disk.root()));
    QQuickItem* view = ui.show("TreeVisualizationView");
    ASSERT_NE(view, nullptr);
    auto cardOf = [&](const char* relative) {
        QQuickItem* row = rowFor(view, QString::fromUtf8(disk.root() + '/' + relative));
        return row ? child(row, "projectNode") : nullptr;
    };
    QQuickItem* dirtyCard = cardOf("dirty");
    QQuickItem* tidyCard = cardOf("tidy");
    ASSERT_TRUE(dirtyCard && tidyCard);
    QQuickItem* mark = child(dirtyCard, "attentionMark");
    ASSERT_TRUE(mark);
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(mark->property("tip").toString(), QStringLiteral("Needs attention: 1 untracked"));
    EXPECT_FALSE(child(tidyCard, "attentionMark")->isVisible()) << "no git, nothing to attend to";

    // The mark reads (3:1, a symbol) on the outline's background, a hovered card and the
    // selected card, in both appearances.
    ui.viewModel().selectProject(projectIdNamed(ui.viewModel(), "dirty"));
    for (const bool dark : {false, true}) {
        Appearance::instance()->setOverrideMode(dark ? QStringLiteral("dark") : QStringLiteral("light"));
        ui.render();
        const QColor surface = colorscheme::surface(QStringLiteral("text"), dark);
        const QColor markColor = mark->property("color").value<QColor>();
        const QColor selected = child(dirtyCard, "cardBackground")->property("color").value<QColor>();
        ASSERT_GT(selected.alphaF(), 0.0) << "the selected card is tinted";
        const QColor hovered = colorscheme::withOpacity(colorscheme::named(QStringLiteral("secondary"), dark), 0.08);
        for (const QColor& under : {surface, colorscheme::composite(selected, surface),
                                    colorscheme::composite(hovered, surface)})
            EXPECT_GE(colorscheme::contrast(markColor, under), 3.0) << (dark ? "dark " : "light ")
                                                                    << under.name().toStdString();
    }
    Appearance::instance()->setOverrideMode(QString());
}

TEST_F(TreeFixture, ZoomPanelButtonsStepTheZoomAndReset) {
    // The steps and their limits are view-math tests; here each button must reach them.
    click(child(view, "zoomIn"));
    click(child(view, "zoomIn"));
    EXPECT_EQ(zoomLabel(view), QStringLiteral("140%"));
    click(child(view, "zoomOut"));
    EXPECT_EQ(zoomLabel(view), QStringLiteral("120%"));
    click(child(view, "zoomReset"));
    EXPECT_EQ(zoomLabel(view), QStringLiteral("100%"));
    click(child(view, "zoomOut"));
    EXPECT_EQ(zoomLabel(view), QStringLiteral("80%"));
    EXPECT_DOUBLE_EQ(view->property("lastScale").toDouble(), view->property("zoomScale").toDouble());
}

TEST_F(TreeFixture, PinchIsClampedAndTheNextPinchStartsWhereTheLastEnded) {
    QPointingDevice* touch = QTest::createTouchDevice();
    const QPoint centre(500, 350);
    auto pinch = [&](int from, int to) {
        QTest::touchEvent(&ui.window(), touch).press(0, centre - QPoint(from, 0)).press(1, centre + QPoint(from, 0));
        for (int d = from; d != to; d += (to > from ? 5 : -5))
            QTest::touchEvent(&ui.window(), touch).move(0, centre - QPoint(d, 0)).move(1, centre + QPoint(d, 0));
        QTest::touchEvent(&ui.window(), touch).move(0, centre - QPoint(to, 0)).move(1, centre + QPoint(to, 0));
        QTest::touchEvent(&ui.window(), touch).release(0, centre - QPoint(to, 0)).release(1, centre + QPoint(to, 0));
    };
    // Fingers spreading from 40 to 600 apart: far more than x3, which stops at 3.0.
    pinch(20, 300);
    EXPECT_DOUBLE_EQ(view->property("zoomScale").toDouble(), 3.0);
    EXPECT_EQ(zoomLabel(view), QStringLiteral("300%"));
    // Closing them to about half starts from 3.0 (from 1.0 it would end below 1.0).
    pinch(200, 100);
    EXPECT_GT(view->property("zoomScale").toDouble(), 1.3);
    EXPECT_LT(view->property("zoomScale").toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(view->property("lastScale").toDouble(), view->property("zoomScale").toDouble());
    click(child(view, "zoomReset"));
    EXPECT_EQ(zoomLabel(view), QStringLiteral("100%"));
}

TEST_F(TreeFixture, ControlWheelZoomsWithinThePinchLimitsAndPlainWheelScrolls) {
    wheel(ui.window(), QPoint(400, 300), 1, Qt::ControlModifier);
    EXPECT_NEAR(view->property("zoomScale").toDouble(), 1.1, 1e-9);
    EXPECT_DOUBLE_EQ(view->property("lastScale").toDouble(), view->property("zoomScale").toDouble());
    for (int i = 0; i < 30; ++i) wheel(ui.window(), QPoint(400, 300), 1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view->property("zoomScale").toDouble(), 3.0);
    for (int i = 0; i < 40; ++i) wheel(ui.window(), QPoint(400, 300), -1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view->property("zoomScale").toDouble(), 0.3);
    // Without Ctrl the wheel is the list's and leaves the zoom alone.
    wheel(ui.window(), QPoint(400, 300), -1, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(view->property("zoomScale").toDouble(), 0.3);
}

TEST_F(TreeFixture, ZoomScalesLinesAboutTheTopLeftAndWidensTheScrollArea) {
    QQuickItem* list = child(view, "outline");
    const double width1 = list->property("contentWidth").toDouble();
    click(child(view, "zoomIn"));
    click(child(view, "zoomIn")); // 140%
    ui.render();
    QQuickItem* blog = rowFor(view, path("web/blog"));
    const QPointF card = child(blog, "projectNode")->mapToItem(blog, QPointF(0, 0));
    EXPECT_NEAR(card.x(), (30 + 68) * 1.4, 1e-9);
    EXPECT_GE(list->property("contentWidth").toDouble(), std::min(width1 * 1.4, 1000.0) - 1);
}

TEST(TreeViewScaleTest, ThousandsOfFoldersCreateOnlyTheLinesInView) {
    // The view model's outline for a large workspace, shown through the outline model alone.
    ViewHarness ui;
    QQuickItem* view = ui.show("TreeVisualizationView");
    auto* model = qobject_cast<TreeOutlineModel*>(view->property("outline").value<QObject*>());
    ASSERT_NE(model, nullptr);
    CachedTreeData data;
    data.nodes = buildTreeData(workspace("/w", 3000, QDateTime::currentDateTime()), "/w");
    data.isReady = true;
    model->setTreeData(data);
    ui.render();
    EXPECT_GT(model->count(), 3000);
    const int lines = static_cast<int>(itemsWith(view, "objectName", "line").size());
    EXPECT_GT(lines, 10);
    EXPECT_LT(lines, 120);
}

TEST_F(TreeFixture, ChevronsAndArrowKeysFoldAndASelectionUnfoldsItsWay) {
    auto* outline = view->property("outline").value<TreeOutlineModel*>();
    ASSERT_TRUE(outline);
    auto shown = [&](const char* relative) { return outline->rowOf(path(relative)) >= 0; };
    auto select = [&](const char* name) { ui.viewModel().selectProject(projectIdNamed(ui.viewModel(), name)); };
    click(child(rowFor(view, path("web")), "foldChevron"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("web/blog") && !shown("web/shop"); }));
    // Selecting a project inside the fold unfolds the folders above it.
    select("cli");
    select("blog");
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown("web/blog"); }));
    // Left folds the selected line's subtree, or its folder; Right unfolds.
    select("shop");
    view->forceActiveFocus();
    QTest::keyClick(&ui.window(), Qt::Key_Left);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("web/shop/plugin"); }));
    QTest::keyClick(&ui.window(), Qt::Key_Right);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown("web/shop/plugin"); }));
    select("blog");
    QTest::keyClick(&ui.window(), Qt::Key_Left);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("web/blog") && shown("web"); }));
}

TEST(TreeViewScrollTest, TheSelectedProjectIsScrolledIntoView) {
    Workspace disk;
    for (int i = 0; i < 60; ++i) disk.addProject("group/p" + QByteArray::number(100 + i), "p" + QByteArray::number(100 + i));
    disk.stampTimes();
    ViewHarness ui(1000, 400);
    ASSERT_TRUE(ui.scan(disk.root()));
    QQuickItem* view = ui.show("TreeVisualizationView");
    QQuickItem* outline = child(view, "outline");
    ui.viewModel().selectProject(projectIdNamed(ui.viewModel(), "p159"));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        QQuickItem* row = rowFor(view, QString::fromUtf8(disk.root() + "/group/p159"));
        if (!row || !row->isVisible()) return false;
        const QPointF top = row->mapToItem(outline, QPointF(0, 0));
        return top.y() >= 0 && top.y() + row->height() <= outline->height();
    }));
    EXPECT_GT(outline->property("contentY").toDouble(), 0.0);
}
