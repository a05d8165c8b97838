#include "ConnectionsCanvas.h"
#include "GraphZoom.h"
#include "MindmapModel.h"
#include "MindmapPanner.h"
#include "VizTestSupport.h"
#include "state/ProjectsViewModel.h"

#include <QQuickItem>
#include <QTest>
#include <gtest/gtest.h>

using namespace viztest;

namespace {

// r/web/shop, r/web/blog, r/tools/cli: the root, two folders and three projects.
struct GraphFixture : ::testing::Test {
    Workspace disk;
    ViewHarness ui{900, 700};
    QQuickItem* view = nullptr;
    MindmapModel* mindmap = nullptr;

    void SetUp() override {
        disk.addProject("web/shop", "shop");
        disk.addProject("web/blog", "blog");
        disk.addProject("tools/cli", "cli");
        disk.stampTimes();
        ASSERT_TRUE(ui.scan(disk.root()));
        ui.zoom().setGraphScale(1.0);
        view = ui.show("NetworkGraphView");
        ASSERT_NE(view, nullptr);
        mindmap = qobject_cast<MindmapModel*>(view->property("mindmap").value<QObject*>());
        ASSERT_NE(mindmap, nullptr);
        ui.render();
    }
    QString path(const char* relative) const { return QString::fromUtf8(disk.root() + '/' + relative); }
    QQuickItem* node(const QString& p) const { return itemWith(view, "nodeId", p); }
    QString projectId(const QString& name) {
        for (const Project& p : ui.viewModel().projects())
            if (p.name == name) return p.id.toString(QUuid::WithoutBraces);
        return {};
    }
    // Waits for the node's fade to finish (the animation runs on the event loop).
    bool settlesAt(QQuickItem* item, double opacity) {
        return QTest::qWaitFor([&] { return qFuzzyCompare(item->opacity(), opacity); }, 3000);
    }
    void drag(QPoint from, QPoint by, int steps = 10) {
        QTest::mousePress(&ui.window(), Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= steps; ++i) QTest::mouseMove(&ui.window(), from + by * i / steps);
        QTest::mouseRelease(&ui.window(), Qt::LeftButton, Qt::NoModifier, from + by);
    }
};

} // namespace

TEST(GraphViewLoadingTest, ShowsTheLoadingIndicatorUntilTheGraphIsBuilt) {
    ViewHarness ui;
    QQuickItem* view = ui.show("NetworkGraphView");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(child(view, "loading")->isVisible());
    EXPECT_TRUE(itemWith(view, "text", "Loading mindmap..."));
    // Not centred yet: that waits for the canvas.
    EXPECT_FALSE(view->property("panner").value<MindmapPanner*>()->hasInitialized());
}

TEST_F(GraphFixture, FirstAppearanceCentresTheCanvas) {
    const QSizeF canvas(mindmap->canvasWidth(), mindmap->canvasHeight());
    EXPECT_EQ(ui.zoom().graphOffset(), QSizeF((900 - canvas.width()) / 2, (700 - canvas.height()) / 2));
    // The canvas centre sits on the viewport centre.
    QQuickItem* canvasItem = view->property("canvas").value<QQuickItem*>();
    const QPointF centre = canvasItem->mapToItem(view, QPointF(canvas.width() / 2, canvas.height() / 2));
    EXPECT_NEAR(centre.x(), 450, 1e-3);
    EXPECT_NEAR(centre.y(), 350, 1e-3);
    // A later size change does not centre again.
    ui.zoom().setGraphOffset(QSizeF(5, 5));
    view->setWidth(800);
    EXPECT_EQ(ui.zoom().graphOffset(), QSizeF(5, 5));
}

TEST_F(GraphFixture, TappingAProjectSelectsItHighlightsItsLineAndDimsTheRest) {
    ui.viewModel().selectProject("");
    QQuickItem* shop = node(path("web/shop"));
    ASSERT_NE(shop, nullptr);
    click(shop);
    EXPECT_EQ(ui.viewModel().selectedProjectId(), projectId("shop"));
    EXPECT_EQ(mindmap->highlightedNodeId(), path("web/shop"));
    // The line by path text: the node, its folders up to the root and beyond it.
    for (const QString& p : {path("web/shop"), path("web"), QString::fromUtf8(disk.root()), QStringLiteral("/tmp")})
        EXPECT_TRUE(mindmap->isHighlighted(p)) << p.toStdString();
    EXPECT_FALSE(mindmap->isHighlighted(path("web/blog")));
    EXPECT_FALSE(mindmap->isHighlighted(path("tools")));
    EXPECT_TRUE(settlesAt(node(path("tools/cli")), 0.25));
    EXPECT_TRUE(settlesAt(node(path("web/blog")), 0.25));
    EXPECT_TRUE(settlesAt(node(path("web")), 1.0));
    EXPECT_TRUE(node(path("web"))->property("isHighlighted").toBool());

    // The second tap toggles the highlight off; the selection stays.
    click(shop);
    EXPECT_FALSE(mindmap->hasHighlight());
    EXPECT_EQ(ui.viewModel().selectedProjectId(), projectId("shop"));
    EXPECT_TRUE(settlesAt(node(path("tools/cli")), 1.0));
}

TEST_F(GraphFixture, FolderTapsHighlightTheSubtreeAndLeaveTheSelection) {
    ui.viewModel().selectProject(projectId("cli"));
    click(node(path("web")));
    EXPECT_EQ(ui.viewModel().selectedProjectId(), projectId("cli"));
    // Which paths light up is the model's test; the tap must have reached it.
    EXPECT_EQ(mindmap->highlightedNodeId(), path("web"));
    // The selected project's card keeps its selected look even while dimmed.
    EXPECT_TRUE(node(path("tools/cli"))->property("isSelected").toBool());
}

TEST_F(GraphFixture, ABackgroundTapClearsTheHighlight) {
    click(node(path("web")));
    ASSERT_TRUE(mindmap->hasHighlight());
    QTest::mouseClick(&ui.window(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_FALSE(mindmap->hasHighlight());
    EXPECT_TRUE(settlesAt(node(path("tools")), 1.0));
}

TEST_F(GraphFixture, ConnectionsAreOneGeometryThatGrowsAGlowWhenHighlighted) {
    QQuickItem* canvas = view->property("canvas").value<QQuickItem*>();
    auto* lines = qobject_cast<ConnectionsCanvas*>(canvas->property("connections").value<QObject*>());
    ASSERT_NE(lines, nullptr);
    const int plain = lines->vertexCount();
    EXPECT_GT(plain, 0);
    click(node(path("web/shop")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines->progress() >= 1.0; }, 3000));
    ui.render();
    // Two highlighted connections (root-web, web-shop) gain a glow each.
    EXPECT_GT(lines->vertexCount(), plain);
}

TEST_F(GraphFixture, ShortMovementsAreTapsAndDragsPanAndAddUp) {
    const QSizeF start = ui.zoom().graphOffset();
    const QPoint empty(20, 20);
    drag(empty, QPoint(6, 6), 3);
    EXPECT_EQ(ui.zoom().graphOffset(), start);

    drag(empty, QPoint(100, 0));
    EXPECT_NEAR(ui.zoom().graphOffset().width(), start.width() + 100, 0.5);
    EXPECT_NEAR(ui.zoom().graphOffset().height(), start.height(), 0.5);
    drag(empty, QPoint(-50, 0));
    EXPECT_NEAR(ui.zoom().graphOffset().width(), start.width() + 50, 0.5);

    // After the window's reset, the next drag starts from the reset position.
    ui.zoom().reset();
    drag(empty, QPoint(0, 40));
    EXPECT_NEAR(ui.zoom().graphOffset().width(), 0, 0.5);
    EXPECT_NEAR(ui.zoom().graphOffset().height(), 40, 0.5);
}

TEST_F(GraphFixture, ControlWheelZoomsWithinThePanelsLimits) {
    wheel(ui.window(), QPoint(450, 350), 1, Qt::ControlModifier);
    EXPECT_NEAR(ui.zoom().graphScale(), 1.1, 1e-9);
    for (int i = 0; i < 40; ++i) wheel(ui.window(), QPoint(450, 350), -1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(ui.zoom().graphScale(), 0.1);
    for (int i = 0; i < 40; ++i) wheel(ui.window(), QPoint(450, 350), 1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(ui.zoom().graphScale(), 3.0);
    wheel(ui.window(), QPoint(450, 350), -1, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(ui.zoom().graphScale(), 3.0);
}

TEST_F(GraphFixture, NodeLooksFollowTheKindOfNode) {
    QQuickItem* root = node(QString::fromUtf8(disk.root()));
    QQuickItem* web = node(path("web"));
    QQuickItem* shop = node(path("web/shop"));
    EXPECT_EQ(root->property("look").toInt(), MindmapModel::Root);
    EXPECT_EQ(web->property("look").toInt(), MindmapModel::Directory);
    EXPECT_EQ(shop->property("look").toInt(), MindmapModel::ProjectNode);
    EXPECT_EQ(web->property("folderColor").toString(), QStringLiteral("purple"));
    EXPECT_TRUE(child(shop, "card"));
    EXPECT_TRUE(child(web, "capsule"));
    // Nodes sit centred on their positions.
    const QPointF c = shop->mapToItem(view->property("canvas").value<QQuickItem*>(),
                                      QPointF(shop->width() / 2, shop->height() / 2));
    EXPECT_NEAR(c.x(), mindmap->nodePosition(path("web/shop")).x(), 1e-6);
    EXPECT_NEAR(c.y(), mindmap->nodePosition(path("web/shop")).y(), 1e-6);
}
