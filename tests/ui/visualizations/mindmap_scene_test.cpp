#include "MindmapScene.h"
#include "MindmapSprites.h"
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
        for (const auto& l : scene.layers()) n += l.indices.size() / 6;
        return int(n);
    }
};

} // namespace

TEST(MindmapSceneTest, TheRootIsAnOpaqueBlueBubbleWithASoftShadow) {
    SpriteAtlas atlas;
    const int bubble = mindmapsprites::bubble(atlas, QColor("#0a6cde"), QColor("#6ca7eb"), false, 1.0);
    ASSERT_GE(bubble, 0);
    const QRect cell = atlas.cell(bubble);
    const QImage& image = atlas.image();
    const QPoint centre = cell.center();
    EXPECT_EQ(qAlpha(image.pixel(centre)), 255);
    EXPECT_GT(qBlue(image.pixel(centre)), 150);
    // 49 points out: in the shadow, faint; 60 out: nothing.
    const int faint = qAlpha(image.pixel(centre + QPoint(49, 0)));
    EXPECT_GT(faint, 0);
    EXPECT_LT(faint, 100);
    EXPECT_EQ(qAlpha(image.pixel(centre + QPoint(60, 0))), 0);
    // The same look is painted once.
    EXPECT_EQ(mindmapsprites::bubble(atlas, QColor("#0a6cde"), QColor("#6ca7eb"), false, 1.0), bubble);
}

TEST(MindmapSceneTest, ACardStretchesAsANinePatchWithCornersKeptAtTheirSize) {
    SpriteAtlas atlas;
    mindmapsprites::CardLook look{Qt::white, Qt::blue, 2.0, 12, QColor(0, 0, 0, 80), 4};
    const mindmapsprites::NinePatch patch = mindmapsprites::card(atlas, look, 2.0);
    ASSERT_GE(patch.sprite, 0);
    EXPECT_DOUBLE_EQ(patch.extent, 5.0);
    EXPECT_EQ(patch.cornerPixels, 34) << "(12 + 5) points at 2 pixels per point";
    const QRect cell = atlas.cell(patch.sprite);
    EXPECT_EQ(cell.width(), 2 * 34 + 2);
    // The outline at the middle of the top edge, white inside, shadow outside.
    const QImage& image = atlas.image();
    const int x = cell.left() + 35;
    EXPECT_EQ(QColor(image.pixel(x, cell.top() + 12)).blue(), 255) << "outline";
    EXPECT_EQ(QColor(image.pixel(x, cell.top() + 12)).red(), 0);
    EXPECT_EQ(image.pixel(x, cell.top() + 30), QColor(Qt::white).rgba());
    EXPECT_GT(qAlpha(image.pixel(x, cell.top() + 5)), 0);
    EXPECT_EQ(qAlpha(image.pixel(x, cell.top())), 0);

    // Nine quads onto any box at least as large as the corners.
    Scene s({viztest::project("/r/a")});
    s.build(1.0);
    int quads = 0;
    for (const auto& l : s.scene.layers()) quads += int(l.indices.size() / 6);
    EXPECT_EQ(quads, 1 + 1 + 1 + 9 + 1 + 1) << "root bubble, symbol and name; the card, its disc and its name";
}

TEST(MindmapSceneTest, LabelsGoToAsManyNodesAsFitAndAlwaysToTheSelectedOne) {
    QList<Project> projects;
    for (int i = 0; i < 40; ++i) projects << viztest::project(QStringLiteral("/r/g%1/p%2").arg(i % 4).arg(i));
    Scene s(projects);
    const auto labelledCount = [&] {
        int n = 0;
        for (int i = 0; i < s.model.nodeCount(); ++i) n += s.scene.labelled(i, -1);
        return n;
    };
    int previous = s.model.nodeCount() + 1;
    for (const double scale : {1.0, 0.5, 0.2, 0.1}) {
        s.build(scale);
        SCOPED_TRACE(scale);
        EXPECT_TRUE(s.scene.labelled(s.model.indexOf("/r"), -1)) << "the root";
        EXPECT_GT(s.scene.glyphCount(), 0) << "names, readable at every zoom";
        const int count = labelledCount();
        EXPECT_LE(count, previous) << "fewer labels further out";
        previous = count;
        // No two labels overlap on screen.
        for (int i = 0; i < s.model.nodeCount(); ++i)
            for (int j = i + 1; j < s.model.nodeCount(); ++j)
                if (s.scene.labelled(i, -1) && s.scene.labelled(j, -1)) {
                    EXPECT_FALSE(s.scene.shownRect(i, -1).intersects(s.scene.shownRect(j, -1))) << i << " " << j;
                }
    }
    EXPECT_LT(previous, s.model.nodeCount()) << "at 10 % not every node fits";

    // The selected project carries its label whatever it covers; the others are dots below 25 %.
    int unlabelled = -1;
    for (int i = 0; i < s.model.nodeCount() && unlabelled < 0; ++i)
        if (!s.scene.labelled(i, -1) && s.model.graph().flatNodes.at(i).project) unlabelled = i;
    ASSERT_GE(unlabelled, 0);
    s.model.setSelectedPath(s.model.graph().flatNodes.at(unlabelled).project->pathText());
    s.scene.flagsChanged();
    s.build(0.1);
    EXPECT_TRUE(s.scene.labelled(unlabelled, -1));
    size_t dots = 0;
    for (const auto& l : s.scene.layers())
        if (l.depth == 0) dots += l.indices.size() / 6;
    EXPECT_EQ(dots, size_t(s.model.nodeCount() - labelledCount()));
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

TEST(MindmapPalette, SymbolsOnLightTonesGetTheDarkForeground) {
    const MindmapPalette palette;
    EXPECT_EQ(palette.foregroundOn(QColor("#d9a900")), QColor(0x1f, 0x1f, 0x21)) << "yellow";
    EXPECT_EQ(palette.foregroundOn(QColor("#0a6cde")), QColor(Qt::white)) << "blue";
    EXPECT_NEAR(MindmapPalette::contrast(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_EQ(MindmapPalette::over(Qt::white, Qt::black, 0.25), QColor::fromRgbF(0.75f, 0.75f, 0.75f));
    const MindmapPalette loaded = MindmapPalette::from({{"blue", "#112233"}}, {{"controlBackground", "#2e2e30"}});
    EXPECT_EQ(loaded.tone("blue"), QColor("#112233"));
    EXPECT_EQ(loaded.controlBackground, QColor("#2e2e30"));
    EXPECT_EQ(loaded.tone("no such name"), QColor(0x8a, 0x8a, 0x8f));
}
