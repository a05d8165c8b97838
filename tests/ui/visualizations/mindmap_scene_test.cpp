#include "MindmapScene.h"
#include "VizTestSupport.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const QDateTime kNow = QDateTime::currentDateTime();

MindmapPalette palette() {
    return MindmapPalette::from({{"blue", "#0a6cde"}, {"purple", "#9a4ad0"}, {"primary", "#1f1f21"},
                                 {"green", "#26a148"}, {"orange", "#f08c00"}, {"gray", "#8a8a8f"}},
                                {{"controlBackground", "#ffffff"}, {"textBackground", "#ffffff"}});
}

struct Scene {
    MindmapModel model;
    MindmapScene scene;
    SpriteAtlas atlas;
    explicit Scene(const QList<Project>& projects) {
        model.setGraphData(buildGraphData(projects, "/r"));
        scene.setGraph(model, QGuiApplication::font());
    }
    void build(double scale, QRectF area = {}) {
        if (area.isEmpty()) area = QRectF(0, 0, model.canvasWidth(), model.canvasHeight());
        scene.build(model, palette(), {area, scale, 1.0, -1}, atlas);
    }
    int glyphs() const {
        size_t n = 0;
        for (const auto& l : scene.layers()) n += l.glyphIndices.size() / 6;
        return int(n);
    }
};

// Alpha and blue of the topmost triangle at `p` in one mesh (one-sample rasteriser).
std::pair<double, double> sample(const ShapeMesh& mesh, QPointF p) {
    std::pair<double, double> result{0, 0};
    const auto& v = mesh.vertices();
    const auto& idx = mesh.indices();
    for (size_t t = 0; t + 2 < idx.size(); t += 3) {
        const auto &a = v[idx[t]], &b = v[idx[t + 1]], &c = v[idx[t + 2]];
        const double d = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
        if (std::abs(d) < 1e-12) continue;
        const double l1 = ((b.y - c.y) * (p.x() - c.x) + (c.x - b.x) * (p.y() - c.y)) / d;
        const double l2 = ((c.y - a.y) * (p.x() - c.x) + (a.x - c.x) * (p.y() - c.y)) / d;
        if (l1 < 0 || l2 < 0 || 1 - l1 - l2 < 0) continue;
        const double l3 = 1 - l1 - l2;
        result = {(l1 * a.a + l2 * b.a + l3 * c.a) / 255.0, (l1 * a.b + l2 * b.b + l3 * c.b) / 255.0};
    }
    return result;
}

} // namespace

TEST(MindmapSceneTest, TheRootIsAnOpaqueBlueBubbleOverItsShadow) {
    Scene s({viztest::project("/r/web/shop"), viztest::project("/r/tools/cli")});
    s.build(1.0);
    const QPointF root = s.model.nodePosition("/r");
    ASSERT_FALSE(s.scene.layers().empty());
    const MindmapScene::Layer& first = s.scene.layers().front();
    EXPECT_EQ(first.depth, 0);
    for (double dx : {0.0, 20.0, -30.0}) {
        const auto [alpha, blue] = sample(first.shapes, root + QPointF(dx, 10));
        EXPECT_NEAR(alpha, 1.0, 0.01) << dx;
        EXPECT_GT(blue, 0.6);
    }
    // The shadow reaches beyond the bubble, faintly.
    const auto [shadow, unused] = sample(first.shapes, root + QPointF(49, 0));
    EXPECT_GT(shadow, 0.0);
    EXPECT_LT(shadow, 0.3);
}

TEST(MindmapSceneTest, LabelsGiveWayBelowEightPixelsAndNodesBecomeDots) {
    Scene s({viztest::project("/r/web/shop"), viztest::project("/r/web/blog"), viztest::project("/r/tools/cli")});
    s.build(1.0);
    const int full = s.glyphs();
    EXPECT_GT(full, 20) << "names, branches absent, symbols";
    EXPECT_TRUE(s.scene.drewLabels());
    EXPECT_EQ(s.scene.drawnNodes(), s.model.nodeCount());

    // At 50 % project names would be 6 px: left out; folder names (6.5 px) stay.
    s.build(0.5);
    EXPECT_TRUE(MindmapScene::nameShown(MindmapModel::Directory, 0.5));
    EXPECT_FALSE(MindmapScene::nameShown(MindmapModel::ProjectNode, 0.5));
    EXPECT_LT(s.glyphs(), full);
    EXPECT_GT(s.glyphs(), 0);

    // At 20 % every node but the root is a dot: one small disc, no symbols, no text but the root's.
    s.build(0.2);
    size_t vertices = 0;
    for (const auto& l : s.scene.layers())
        if (l.depth == 0) vertices += l.shapes.vertices().size();
    EXPECT_GT(vertices, 0u);
    EXPECT_LE(s.glyphs(), 2) << "at most the root's symbol";
}

TEST(MindmapSceneTest, OnlyNodesInTheAreaAreBuiltAndHitsFindTheTopmost) {
    QList<Project> projects;
    for (int i = 0; i < 60; ++i) projects << viztest::project(QStringLiteral("/r/g%1/p%2").arg(i % 6).arg(i));
    Scene s(projects);
    s.build(1.0);
    const int all = s.scene.drawnNodes();
    EXPECT_EQ(all, s.model.nodeCount());
    const QPointF root = s.model.nodePosition("/r");
    s.build(1.0, QRectF(root - QPointF(150, 150), QSizeF(300, 300)));
    EXPECT_GT(s.scene.drawnNodes(), 0);
    EXPECT_LT(s.scene.drawnNodes(), all / 2);

    // A hit on the root's centre finds the root unless a later node covers the point.
    const int hit = s.scene.index().topmostAt(root);
    ASSERT_GE(hit, 0);
    for (int i = hit + 1; i < s.model.nodeCount(); ++i) {
        const NodeIndex::Entry& e = s.scene.index().entry(i);
        EXPECT_FALSE(std::abs(e.centre.x() - root.x()) <= e.halfWidth && std::abs(e.centre.y() - root.y()) <= e.halfHeight);
    }
    EXPECT_EQ(s.scene.index().topmostAt(QPointF(-5000, -5000)), -1);
}

TEST(MindmapSceneTest, DimmingPutsNodesInFadingLayersWithTheirOpacities) {
    Scene s({viztest::project("/r/web/shop"), viztest::project("/r/tools/cli")});
    s.model.tapNode("/r/web/shop");
    s.build(1.0);
    bool dimming = false;
    for (const auto& l : s.scene.layers()) dimming |= l.group == MindmapScene::Dimming;
    EXPECT_TRUE(dimming);
    EXPECT_DOUBLE_EQ(MindmapScene::opacityOf(MindmapScene::Dimming, 0), 1.0);
    EXPECT_DOUBLE_EQ(MindmapScene::opacityOf(MindmapScene::Dimming, 1), 0.25);
    EXPECT_DOUBLE_EQ(MindmapScene::opacityOf(MindmapScene::Undimming, 1), 1.0);
    EXPECT_DOUBLE_EQ(MindmapScene::opacityOf(MindmapScene::Dimmed, 0.5), 0.25);
    // Layers are drawn shallow to deep.
    for (size_t i = 1; i < s.scene.layers().size(); ++i)
        EXPECT_LE(s.scene.layers()[i - 1].depth, s.scene.layers()[i].depth);
}

TEST(MindmapSceneTest, HugeNamesAreCutAndMeasuredQuickly) {
    Project huge = viztest::project("/r/huge");
    huge.name = QString(2'000'000, QLatin1Char('x'));
    CachedGraphData graph = buildGraphData({huge}, "/r");
    const mindmaplook::Fonts fonts = mindmaplook::Fonts::from(QGuiApplication::font());
    const CachedGraphNode& node = *graph.nodes.find("/r/huge");
    CachedGraphNode named = node;
    named.name = huge.name;
    const mindmaplook::Box box = mindmaplook::measure(named, fonts);
    EXPECT_TRUE(box.elided);
    EXPECT_LT(box.name.size(), 100);
    EXPECT_LE(box.halfWidth * 2, mindmaplook::kMaxLabelWidth + 80);
}
