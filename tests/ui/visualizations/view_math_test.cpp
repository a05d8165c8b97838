#include "ViewMath.h"

#include "state/GraphNodeMap.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace viewmath;

TEST(PaletteTest, OutlineFoldersCycleThroughSixColours) {
    EXPECT_EQ(treeFolderColor(0), QStringLiteral("blue"));
    EXPECT_EQ(treeFolderColor(1), QStringLiteral("indigo"));
    EXPECT_EQ(treeFolderColor(5), QStringLiteral("teal"));
    EXPECT_EQ(treeFolderColor(6), QStringLiteral("blue"));
    EXPECT_EQ(treeFolderColor(13), QStringLiteral("indigo"));
}

TEST(PaletteTest, MindmapFoldersCycleThroughSevenColours) {
    EXPECT_EQ(graphFolderColor(1), QStringLiteral("purple"));
    EXPECT_EQ(graphFolderColor(6), QStringLiteral("pink"));
    EXPECT_EQ(graphFolderColor(7), QStringLiteral("blue"));
    EXPECT_EQ(graphFolderColor(8), QStringLiteral("purple"));
}

TEST(TreeZoomTest, ZoomInStepsAccumulateRoundingAndStopAtThreeHundred) {
    double scale = 1.0;
    QStringList labels;
    for (int i = 0; i < 12; ++i) {
        scale = treeZoomIn(scale);
        labels << zoomPercentText(scale);
    }
    EXPECT_EQ(labels.mid(0, 4), (QStringList{"120%", "140%", "160%", "179%"}));
    EXPECT_EQ(labels.at(8), QStringLiteral("280%"));
    EXPECT_EQ(labels.at(9), QStringLiteral("300%"));
    EXPECT_EQ(labels.at(11), QStringLiteral("300%"));
    EXPECT_DOUBLE_EQ(scale, 3.0);
}

TEST(TreeZoomTest, ZoomOutStopsAtThirtyPercent) {
    double scale = 1.0;
    QStringList labels;
    for (int i = 0; i < 6; ++i) {
        scale = treeZoomOut(scale);
        labels << zoomPercentText(scale);
    }
    EXPECT_EQ(labels, (QStringList{"80%", "60%", "40%", "30%", "30%", "30%"}));
}

TEST(TreeZoomTest, PinchIsRelativeToTheLastScaleAndClamped) {
    EXPECT_DOUBLE_EQ(treePinch(1.0, 5.0), 3.0);
    EXPECT_DOUBLE_EQ(treePinch(3.0, 0.5), 1.5);
    EXPECT_DOUBLE_EQ(treePinch(0.5, 0.1), 0.3);
    EXPECT_DOUBLE_EQ(treePinch(1.2, 1.5), 1.2 * 1.5);
}

TEST(TreeZoomTest, PercentTextTruncatesTowardZero) {
    EXPECT_EQ(zoomPercentText(0.845), QStringLiteral("84%"));
    EXPECT_EQ(zoomPercentText(1.0), QStringLiteral("100%"));
    EXPECT_EQ(zoomPercentText(0.3), QStringLiteral("30%"));
}

TEST(GraphZoomTest, WheelZoomKeepsThePanelsLimits) {
    EXPECT_GT(graphWheelZoom(0.5, 1), 0.5);
    EXPECT_LT(graphWheelZoom(0.5, -1), 0.5);
    EXPECT_DOUBLE_EQ(graphWheelZoom(2.9, 10), 3.0);
    EXPECT_DOUBLE_EQ(graphWheelZoom(0.12, -10), 0.1);
}

TEST(HighlightTest, AncestorsComeFromThePathText) {
    EXPECT_EQ(ancestorPaths("/a/b/c"), (QStringList{"/a/b", "/a"}));
    EXPECT_TRUE(ancestorPaths("/a").isEmpty());
    EXPECT_EQ(ancestorPaths("a/b"), QStringList{"a"});
    EXPECT_TRUE(ancestorPaths("").isEmpty());
    // The root "/" itself: children are "//x", whose ancestor walk yields "/" only once.
    EXPECT_EQ(ancestorPaths("//x"), QStringList{"/"});
}

namespace {
CachedGraphNode node(const QString& path, qint64 depth, QStringList children) {
    CachedGraphNode n;
    n.id = path;
    n.fullPath = path;
    n.name = path.section(u'/', -1);
    n.depth = depth;
    n.childIDs = std::move(children);
    return n;
}

GraphNodeMap sampleTree() {
    GraphNodeMap nodes;
    nodes.insert(node("/r", 0, {"/r/x", "/r/y"}));
    nodes.insert(node("/r/x", 1, {"/r/x/p1", "/r/x/q"}));
    nodes.insert(node("/r/x/p1", 2, {}));
    nodes.insert(node("/r/x/q", 2, {"/r/x/q/p2"}));
    nodes.insert(node("/r/x/q/p2", 3, {}));
    nodes.insert(node("/r/y", 1, {"/r/y/p3"}));
    nodes.insert(node("/r/y/p3", 2, {}));
    return nodes;
}

QSet<QString> set(std::initializer_list<const char*> paths) {
    QSet<QString> s;
    for (const char* p : paths) s.insert(QString::fromLatin1(p));
    return s;
}
} // namespace

TEST(HighlightTest, AFolderHighlightsItsAncestorsAndEveryDescendant) {
    EXPECT_EQ(highlightPaths("/r/x", sampleTree()), set({"/r", "/r/x", "/r/x/p1", "/r/x/q", "/r/x/q/p2"}));
    EXPECT_EQ(highlightPaths("/r/x/q/p2", sampleTree()), set({"/r", "/r/x", "/r/x/q", "/r/x/q/p2"}));
    EXPECT_EQ(highlightPaths("/r", sampleTree()).size(), 7);
}

TEST(HighlightTest, AMissingNodeStillHighlightsItsPathLine) {
    EXPECT_EQ(highlightPaths("/gone/k", sampleTree()), set({"/gone", "/gone/k"}));
}

TEST(HighlightTest, ACycleInChildIdsEnds) {
    GraphNodeMap nodes;
    nodes.insert(node("/a", 1, {"/a/b"}));
    nodes.insert(node("/a/b", 2, {"/a"}));
    EXPECT_EQ(highlightPaths("/a", nodes), set({"/a", "/a/b"}));
}

TEST(CentringTest, FirstAppearanceCentresTheCanvas) {
    const QSizeF offset = centringOffset({800, 600}, {2000, 1000});
    EXPECT_EQ(offset, QSizeF(-600, -200));
    // The canvas is scaled about its centre, so that offset centres it at every zoom.
    for (double scale : {0.1, 0.5, 1.0, 2.5}) {
        EXPECT_EQ(canvasToViewport({1000, 500}, {2000, 1000}, scale, offset), QPointF(400, 300)) << scale;
    }
    // A canvas smaller than the viewport is centred too.
    const QSizeF small = centringOffset({800, 600}, {560, 590});
    EXPECT_EQ(canvasToViewport({280, 295}, {560, 590}, 0.5, small), QPointF(400, 300));
}

TEST(CentringTest, ViewportAndCanvasMappingsAreInverse) {
    const QSizeF canvas(3000, 2000);
    const QSizeF offset(-120, 45);
    for (double scale : {0.1, 0.65, 1.0, 3.0}) {
        const QPointF p(1234.5, 321.25);
        const QPointF back = viewportToCanvas(canvasToViewport(p, canvas, scale, offset), canvas, scale, offset);
        EXPECT_NEAR(back.x(), p.x(), 1e-9);
        EXPECT_NEAR(back.y(), p.y(), 1e-9);
    }
    EXPECT_EQ(visibleCanvasRect({800, 600}, {2000, 1000}, 1.0, {-600, -200}), QRectF(600, 200, 800, 600));
    EXPECT_EQ(visibleCanvasRect({800, 600}, {2000, 1000}, 0.5, {-600, -200}), QRectF(200, -100, 1600, 1200));
}

TEST(DragPanTest, MovementsUnderTenPointsAreNotDrags) {
    DragPan pan;
    QSizeF offset(7, 7);
    EXPECT_FALSE(pan.move({6, 7}, &offset));
    EXPECT_FALSE(pan.isActive());
    EXPECT_EQ(offset, QSizeF(7, 7));
    pan.end(offset);
    EXPECT_EQ(pan.restingOffset(), QSizeF(0, 0));
}

TEST(DragPanTest, DragsAddUpFromTheRestingOffset) {
    DragPan pan;
    QSizeF offset;
    EXPECT_TRUE(pan.move({12, 0}, &offset));
    EXPECT_EQ(offset, QSizeF(12, 0));
    // Once active, the drag follows even small movements back.
    EXPECT_TRUE(pan.move({3, 0}, &offset));
    EXPECT_TRUE(pan.move({100, 0}, &offset));
    pan.end(offset);
    EXPECT_EQ(offset, QSizeF(100, 0));
    EXPECT_TRUE(pan.move({-50, 0}, &offset));
    pan.end(offset);
    EXPECT_EQ(offset, QSizeF(50, 0));
    EXPECT_EQ(pan.restingOffset(), QSizeF(50, 0));
}

TEST(FitViewTest, TheDrawingFillsTheRoomLeftBesideWhatCoversTheView) {
    struct Case {
        const char* what;
        QSizeF viewport;
        QRectF drawing;
        QList<QRectF> covered;
        double maxScale;
        double scale;
        QRectF room; // where the drawing's centre lands: the room's centre
    };
    const QSizeF canvas(2400, 1400);
    const QRectF wide(200, 200, 2000, 1000);
    const std::vector<Case> cases = {
        {"nothing covers: the width decides", {1000, 700}, wide, {}, 3.0, 952.0 / 2000, {0, 0, 1000, 700}},
        {"a tall panel at the right: the room ends beside it", {1000, 1400}, {200, 200, 1000, 1000},
         {{850, 300, 150, 1100}}, 3.0, (850.0 - 48) / 1000, {0, 0, 850, 1400}},
        {"a wide panel at the bottom: the room ends above it", {1000, 700}, wide, {{700, 450, 300, 250}}, 3.0,
         (450.0 - 48) / 1000, {0, 0, 1000, 450}},
        {"a badge top left (beside it) and a panel bottom right (above it)", {1000, 700}, wide,
         {{16, 16, 120, 30}, {700, 450, 300, 250}}, 3.0, (450.0 - 48) / 1000, {136, 0, 864, 450}},
        {"an empty rectangle covers nothing", {1000, 700}, wide, {{}}, 3.0, 952.0 / 2000, {0, 0, 1000, 700}},
        {"a tiny drawing stops at the largest zoom", {1000, 700}, {1190, 690, 20, 20}, {}, 3.0, 3.0,
         {0, 0, 1000, 700}},
        {"or at the zoom asked for", {1000, 700}, {1190, 690, 20, 20}, {}, 1.0, 1.0, {0, 0, 1000, 700}},
        {"a huge drawing stops at the smallest", {1000, 700}, {0, 0, 400000, 400000}, {}, 3.0, 0.1, {0, 0, 1000, 700}},
        {"a single point is a point wide", {1000, 700}, {1200, 700, 0, 0}, {}, 3.0, 3.0, {0, 0, 1000, 700}},
        {"covered all over: the whole view", {100, 100}, wide, {{0, 0, 100, 100}}, 3.0, 0.1, {0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        const Fit f = fitView(c.viewport, c.drawing, canvas, c.covered, 24, 0.1, c.maxScale);
        EXPECT_NEAR(f.scale, c.scale, 1e-12) << c.what;
        const QPointF centre = canvasToViewport(c.drawing.center(), canvas, f.scale, f.offset);
        EXPECT_NEAR(centre.x(), c.room.center().x(), 1e-9) << c.what;
        EXPECT_NEAR(centre.y(), c.room.center().y(), 1e-9) << c.what;
    }
}

TEST(FitViewTest, AZoomAboutAPointKeepsThatPointInPlace) {
    const QSizeF canvas(2400, 1400);
    for (const auto& [point, scale, next] : std::vector<std::tuple<QPointF, double, double>>{
             {{0, 0}, 1.0, 2.0}, {{640, 410}, 0.5, 0.55}, {{999, 1}, 3.0, 0.1}, {{-50, 800}, 0.2, 0.22}}) {
        const QSizeF offset(-300, 120);
        const QPointF under = viewportToCanvas(point, canvas, scale, offset);
        const QSizeF moved = zoomedOffsetAbout(point, canvas, scale, next, offset);
        const QPointF back = canvasToViewport(under, canvas, next, moved);
        EXPECT_NEAR(back.x(), point.x(), 1e-9);
        EXPECT_NEAR(back.y(), point.y(), 1e-9);
    }
}
