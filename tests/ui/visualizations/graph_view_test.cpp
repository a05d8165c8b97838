#include "ConnectionsCanvas.h"
#include "GraphZoom.h"
#include "MindmapCanvas.h"
#include "MindmapModel.h"
#include "MindmapPanner.h"
#include "VizTestSupport.h"
#include "state/ProjectsViewModel.h"

#include <QQuickItem>
#include <QTest>
#include <gtest/gtest.h>

using namespace viztest;

namespace {

// How long a test waits for a state it needs; it goes on as soon as the state is there (a
// loaded machine may take seconds to run an animation).
constexpr int kStateWaitMs = 20000;

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
    MindmapCanvas* nodes() const {
        return qobject_cast<MindmapCanvas*>(view->property("canvas").value<QQuickItem*>()->property("nodes").value<QObject*>());
    }
    // Where the node at `p` is on the window.
    QPoint at(const QString& p) const {
        return nodes()->mapToScene(mindmap->nodePosition(p)).toPoint();
    }
    void tap(const QString& p) { QTest::mouseClick(&ui.window(), Qt::LeftButton, Qt::NoModifier, at(p)); }
    // Waits for the dimming fade to finish and the canvas to be drawn again.
    bool settled() {
        const bool done = QTest::qWaitFor([&] { return nodes()->progress() >= 1.0; }, kStateWaitMs);
        ui.render();
        return done;
    }
    QString projectId(const QString& name) {
        for (const Project& p : ui.viewModel().projects())
            if (p.name == name) return p.id.toString(QUuid::WithoutBraces);
        return {};
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
    tap(path("web/shop"));
    EXPECT_EQ(ui.viewModel().selectedProjectId(), projectId("shop"));
    EXPECT_EQ(mindmap->highlightedNodeId(), path("web/shop"));
    // The line by path text: the node, its folders up to the root and beyond it.
    for (const QString& p : {path("web/shop"), path("web"), QString::fromUtf8(disk.root()), QStringLiteral("/tmp")})
        EXPECT_TRUE(mindmap->isHighlighted(p)) << p.toStdString();
    EXPECT_FALSE(mindmap->isHighlighted(path("web/blog")));
    EXPECT_TRUE(mindmap->isDimmed(path("tools/cli")));
    EXPECT_TRUE(mindmap->isDimmed(path("web/blog")));
    EXPECT_FALSE(mindmap->isDimmed(path("web")));
    EXPECT_EQ(mindmap->selectedIndex(), mindmap->indexOf(path("web/shop")));
    EXPECT_TRUE(settled());

    // The second tap toggles the highlight off; the selection stays.
    tap(path("web/shop"));
    EXPECT_FALSE(mindmap->hasHighlight());
    EXPECT_EQ(ui.viewModel().selectedProjectId(), projectId("shop"));
    EXPECT_FALSE(mindmap->isDimmed(path("tools/cli")));
}

TEST_F(GraphFixture, FolderTapsHighlightTheSubtreeAndLeaveTheSelection) {
    ui.viewModel().selectProject(projectId("cli"));
    tap(path("web"));
    EXPECT_EQ(ui.viewModel().selectedProjectId(), projectId("cli"));
    EXPECT_TRUE(mindmap->isHighlighted(path("web/blog")));
    EXPECT_TRUE(mindmap->isHighlighted(path("web/shop")));
    EXPECT_TRUE(mindmap->isDimmed(path("tools")));
    EXPECT_EQ(mindmap->selectedIndex(), mindmap->indexOf(path("tools/cli")));
}

TEST_F(GraphFixture, ABackgroundTapClearsTheHighlight) {
    tap(path("web"));
    ASSERT_TRUE(mindmap->hasHighlight());
    QTest::mouseClick(&ui.window(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_FALSE(mindmap->hasHighlight());
}

TEST_F(GraphFixture, ASearchDimsTheNodesThatDoNotMatchAndCountsTheMatches) {
    QQuickItem* count = child(view, "matchText");
    ASSERT_NE(count, nullptr);
    EXPECT_FALSE(count->isVisible());
    ui.viewModel().setSearchText("shop");
    EXPECT_TRUE(count->isVisible());
    EXPECT_EQ(count->property("text").toString(), QStringLiteral("1 of 3 shown"));
    EXPECT_FALSE(mindmap->isDimmed(path("web/shop")));
    EXPECT_TRUE(mindmap->isDimmed(path("web/blog")));
    EXPECT_TRUE(mindmap->isDimmed(path("tools")));
    EXPECT_TRUE(settled());
    ui.viewModel().setSearchText("");
    EXPECT_FALSE(count->isVisible());
    EXPECT_FALSE(mindmap->isDimmed(path("web/blog")));
}

TEST_F(GraphFixture, HoveringANodeLabelsItAndShowsItsTooltipAboveIt) {
    ui.zoom().setGraphScale(0.2);
    ui.render();
    QQuickItem* label = child(view, "hoverLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->isVisible());
    QTest::mouseMove(&ui.window(), QPoint(2, 2));
    QTest::mouseMove(&ui.window(), at(path("tools/cli")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return nodes()->hoveredPath() == path("tools/cli"); }, kStateWaitMs));
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(nodes()->hoveredName(), QStringLiteral("cli"));
    const int index = mindmap->indexOf(path("tools/cli"));
    EXPECT_TRUE(nodes()->scene().labelled(index, index));
    // The tooltip sits above the node as drawn (grown to a readable size), inside the view.
    const QRectF drawn = nodes()->hoveredRect();
    EXPECT_GT(drawn.width() * 0.2, 40) << "a readable card, not a 7-pixel dot";
    const QPointF bottom = label->mapToScene(QPointF(label->width() / 2, label->height()));
    EXPECT_LT(bottom.y(), nodes()->mapToScene(drawn.topLeft()).y());
    EXPECT_GE(label->mapToScene(QPointF(0, 0)).y(), 0);
}

TEST_F(GraphFixture, ResetAndADoubleTapFitTheWholeDrawingInTheViewport) {
    const viewmath::Fit fit = ui.zoom().fitted(nodes()->drawingRect());
    drag(QPoint(20, 20), QPoint(120, 60));
    ui.zoom().setGraphScale(0.2);
    ui.zoom().reset();
    EXPECT_DOUBLE_EQ(ui.zoom().graphScale(), fit.scale);
    EXPECT_EQ(ui.zoom().graphOffset(), fit.offset);

    ui.zoom().setGraphScale(0.2);
    QTest::mouseDClick(&ui.window(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_DOUBLE_EQ(ui.zoom().graphScale(), fit.scale);
    ui.render();
    // Every node lies inside the viewport.
    for (const CachedGraphNode& n : mindmap->graph().flatNodes) {
        const QPointF p = nodes()->mapToScene(n.position);
        EXPECT_TRUE(QRectF(0, 0, 900, 700).contains(p)) << n.fullPath.toStdString();
    }
}

TEST_F(GraphFixture, ConnectionsAreOneGeometryThatGrowsAGlowWhenHighlighted) {
    QQuickItem* canvas = view->property("canvas").value<QQuickItem*>();
    auto* lines = qobject_cast<ConnectionsCanvas*>(canvas->property("connections").value<QObject*>());
    ASSERT_NE(lines, nullptr);
    const int plain = lines->vertexCount();
    EXPECT_GT(plain, 0);
    tap(path("web/shop"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines->progress() >= 1.0; }, kStateWaitMs));
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
    const QSizeF reset = ui.zoom().graphOffset();
    drag(empty, QPoint(0, 40));
    EXPECT_NEAR(ui.zoom().graphOffset().width(), reset.width(), 0.5);
    EXPECT_NEAR(ui.zoom().graphOffset().height(), reset.height() + 40, 0.5);
}

TEST_F(GraphFixture, TheWheelZoomsWithinThePanelsLimits) {
    wheel(ui.window(), QPoint(450, 350), 1, Qt::ControlModifier);
    EXPECT_NEAR(ui.zoom().graphScale(), 1.1, 1e-9);
    for (int i = 0; i < 40; ++i) wheel(ui.window(), QPoint(450, 350), -1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(ui.zoom().graphScale(), 0.1);
    for (int i = 0; i < 40; ++i) wheel(ui.window(), QPoint(450, 350), 1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(ui.zoom().graphScale(), 3.0);
    wheel(ui.window(), QPoint(450, 350), -1, Qt::NoModifier);
    EXPECT_NEAR(ui.zoom().graphScale(), 3.0 / 1.1, 1e-9) << "also without Ctrl";
}

TEST_F(GraphFixture, TheNodesAreAFewSceneGraphNodesBuiltOnlyNearTheView) {
    // No item per node: the canvas has no children, and it drew every node of this small graph.
    EXPECT_TRUE(nodes()->childItems().isEmpty());
    EXPECT_EQ(nodes()->drawnNodes(), mindmap->nodeCount());
    EXPECT_EQ(nodes()->nodeAt(mindmap->nodePosition(path("web"))), path("web"));
    EXPECT_EQ(nodes()->nodeAt(QPointF(1, 1)), QString());
}
