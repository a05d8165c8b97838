#include "ColorScheme.h"
#include "ConnectionsCanvas.h"
#include "MindmapModel.h"
#include "MindmapScene.h"
#include "MindmapSprites.h"
#include "VizTestSupport.h"
#include "model/Attention.h"

#include <QGuiApplication>

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow = QDateTime::currentDateTime();

struct Sample {
    Project shop = viztest::project("/r/web/shop");
    Project blog = viztest::project("/r/web/blog", ProjectType::python);
    Project cli = viztest::project("/r/tools/cli", ProjectType::swift);
    CachedGraphData graph = buildGraphData({blog, cli, shop}, "/r");
};

} // namespace

TEST(MindmapModelTest, TappingAProjectSelectsItAndHighlightsItsLine) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    QSignalSpy changed(&model, &MindmapModel::highlightChanged);

    EXPECT_EQ(model.tapNode("/r/web/shop"), s.shop.id.toString(QUuid::WithoutBraces));
    EXPECT_EQ(model.highlightedNodeId(), QStringLiteral("/r/web/shop"));
    EXPECT_EQ(model.highlightedPaths(), (QSet<QString>{"/r", "/r/web", "/r/web/shop"}));
    EXPECT_TRUE(model.isDimmed("/r/web/blog"));
    EXPECT_TRUE(model.isDimmed("/r/tools"));
    EXPECT_FALSE(model.isDimmed("/r/web"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_FALSE(changed.at(0).at(0).toBool());

    // The per-node flags the canvas draws from, and the state before the change.
    const int blog = model.indexOf("/r/web/blog");
    ASSERT_GE(blog, 0);
    EXPECT_TRUE(model.dimmedAt(blog));
    EXPECT_FALSE(model.wasDimmedAt(blog));
    EXPECT_FALSE(model.highlightedAt(blog));
    EXPECT_TRUE(model.highlightedAt(model.indexOf("/r/web/shop")));
}

TEST(MindmapModelTest, ASecondTapTogglesTheHighlightOffButStillSelects) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    model.tapNode("/r/web/shop");
    QSignalSpy changed(&model, &MindmapModel::highlightChanged);
    EXPECT_EQ(model.tapNode("/r/web/shop"), s.shop.id.toString(QUuid::WithoutBraces));
    EXPECT_FALSE(model.hasHighlight());
    EXPECT_TRUE(model.highlightedNodeId().isEmpty());
    EXPECT_FALSE(model.isDimmed("/r/tools"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_TRUE(changed.at(0).at(0).toBool());
}

TEST(MindmapModelTest, FolderTapsHighlightDescendantsAndSelectNothing) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    EXPECT_TRUE(model.tapNode("/r/web").isEmpty());
    EXPECT_EQ(model.highlightedPaths(), (QSet<QString>{"/r", "/r/web", "/r/web/shop", "/r/web/blog"}));
    // Another node replaces the line from scratch.
    EXPECT_TRUE(model.tapNode("/r/tools").isEmpty());
    EXPECT_EQ(model.highlightedPaths(), (QSet<QString>{"/r", "/r/tools", "/r/tools/cli"}));
    EXPECT_EQ(model.previousHighlightedPaths(), (QSet<QString>{"/r", "/r/web", "/r/web/shop", "/r/web/blog"}));
}

TEST(MindmapModelTest, BackgroundTapClearsAndIsQuietWhenNothingIsHighlighted) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    QSignalSpy changed(&model, &MindmapModel::highlightChanged);
    model.tapBackground();
    EXPECT_EQ(changed.count(), 0);
    model.tapNode("/r/web");
    model.tapBackground();
    EXPECT_FALSE(model.hasHighlight());
    EXPECT_EQ(changed.count(), 2);
}

TEST(MindmapModelTest, ARescanKeepsTheHighlightAndStalePathsDimEverythingElse) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    model.tapNode("/r/web/shop");
    const Project other = viztest::project("/r/new/thing");
    model.setGraphData(buildGraphData({other}, "/r"));
    EXPECT_EQ(model.highlightedNodeId(), QStringLiteral("/r/web/shop"));
    EXPECT_TRUE(model.isDimmed("/r/new/thing"));
    EXPECT_FALSE(model.isDimmed("/r"));
}

TEST(MindmapModelTest, NodeLooksFollowDepthAndRecord) {
    Sample s;
    auto look = [&](const char* path) { return MindmapModel::lookOf(*s.graph.nodes.find(path)); };
    EXPECT_EQ(look("/r"), MindmapModel::Root);
    EXPECT_EQ(look("/r/web"), MindmapModel::Directory);
    EXPECT_EQ(look("/r/tools/cli"), MindmapModel::ProjectNode);
    CachedGraphNode bare;
    bare.depth = 2;
    bare.isDirectory = false;
    EXPECT_EQ(MindmapModel::lookOf(bare), MindmapModel::None);
}

TEST(MindmapModelTest, AFilterDimsProjectsThatFailItAndFoldersWithNoneThatPass) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    QSignalSpy matched(&model, &MindmapModel::matchChanged);
    EXPECT_TRUE(model.matchText().isEmpty());

    model.setMatches(true, {s.shop.pathText()});
    EXPECT_EQ(matched.count(), 1);
    EXPECT_EQ(model.matchText(), QStringLiteral("1 of 3 match"));
    EXPECT_FALSE(model.isDimmed("/r/web/shop"));
    EXPECT_TRUE(model.isDimmed("/r/web/blog"));
    EXPECT_FALSE(model.isDimmed("/r/web")) << "a folder leading to a match";
    EXPECT_TRUE(model.isDimmed("/r/tools")) << "a folder with no match below";
    EXPECT_TRUE(model.isDimmed("/r/tools/cli"));
    EXPECT_FALSE(model.isDimmed("/r"));
    EXPECT_TRUE(model.wasDimmedAt(model.indexOf("/r/web/blog")) == false) << "fades in from undimmed";

    // A highlight on top dims what is outside the line as well; clearing the filter keeps it.
    model.tapNode("/r/tools/cli");
    EXPECT_TRUE(model.isDimmed("/r/web/shop"));
    EXPECT_TRUE(model.isDimmed("/r/tools/cli")) << "highlighted but not matching";
    model.setMatches(false, {});
    EXPECT_FALSE(model.isDimmed("/r/tools/cli"));
    EXPECT_TRUE(model.isDimmed("/r/web/shop"));
    EXPECT_EQ(model.matchCount(), 3);
    EXPECT_TRUE(model.matchText().isEmpty());

    // No match at all: every project and folder dims, the root stays.
    model.tapBackground();
    model.setMatches(true, {});
    EXPECT_EQ(model.matchText(), QStringLiteral("0 of 3 match"));
    EXPECT_TRUE(model.isDimmed("/r/web"));
    EXPECT_FALSE(model.isDimmed("/r"));
}

TEST(MindmapModelTest, TheSelectedNodeIsFoundByItsProjectsPath) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    EXPECT_EQ(model.selectedIndex(), -1);
    model.setSelectedPath(s.blog.pathText());
    EXPECT_EQ(model.selectedIndex(), model.indexOf("/r/web/blog"));
    model.setSelectedPath("/elsewhere");
    EXPECT_EQ(model.selectedIndex(), -1);
}

TEST(ConnectionStrokeTest, OpacitiesAndWidthsFollowTheHighlight) {
    const QSet<QString> none;
    const QSet<QString> line{"/r", "/r/a", "/r/a/b"};
    auto stroke = [&](const char* from, const char* to, const QSet<QString>& h) {
        return ConnectionsCanvas::blendedStroke(from, to, h, h, 1.0);
    };
    const auto plain = stroke("/r", "/r/a", none);
    EXPECT_DOUBLE_EQ(plain.opacity, 0.4);
    EXPECT_DOUBLE_EQ(plain.width, 1.5);
    EXPECT_DOUBLE_EQ(plain.glowOpacity, 0.0);
    const auto lit = stroke("/r/a", "/r/a/b", line);
    EXPECT_DOUBLE_EQ(lit.opacity, 0.85);
    EXPECT_DOUBLE_EQ(lit.width, 3.0);
    EXPECT_DOUBLE_EQ(lit.glowOpacity, 0.3);
    // One end in the line is not enough.
    const auto faded = stroke("/r", "/r/c", line);
    EXPECT_DOUBLE_EQ(faded.opacity, 0.1);
    EXPECT_DOUBLE_EQ(faded.width, 1.5);
}

TEST(ConnectionStrokeTest, TheTransitionBlendsFromTheOldLook) {
    const QSet<QString> line{"/r", "/r/a"};
    const auto start = ConnectionsCanvas::blendedStroke("/r", "/r/a", {}, line, 0.0);
    EXPECT_DOUBLE_EQ(start.opacity, 0.4);
    const auto half = ConnectionsCanvas::blendedStroke("/r", "/r/a", {}, line, 0.5);
    EXPECT_DOUBLE_EQ(half.opacity, (0.4 + 0.85) / 2);
    EXPECT_DOUBLE_EQ(half.width, 2.25);
    EXPECT_DOUBLE_EQ(half.glowOpacity, 0.15);
}

namespace {

// The quads the scene draws for the whole canvas at `scale`, and the atlas they come from.
struct AttentionScene {
    MindmapModel model;
    MindmapScene scene;
    SpriteAtlas atlas;
    MindmapPalette palette;
    AttentionScene(const QList<Project>& projects, bool dark)
        : palette(MindmapPalette::from(
              ColorScheme().tones(dark),
              {{"controlBackground", colorscheme::surface("control", dark)},
               {"textBackground", colorscheme::surface("text", dark)}})) {
        model.setGraphData(buildGraphData(projects, "/r"));
        scene.setGraph(model, QGuiApplication::font());
    }
    int quads(double scale) {
        scene.build(model, palette, {QRectF(0, 0, model.canvasWidth(), model.canvasHeight()), scale, 1.0, -1}, atlas);
        size_t n = 0;
        for (const auto& layer : scene.layers()) n += layer.indices.size() / 6;
        return int(n);
    }
};

// A commit to push: flagged without any mark in its label.
Project unpushed(const QString& path) {
    Project project = viztest::project(path);
    project.hasGit = true;
    project.git = GitState{};
    project.git->upstream = QStringLiteral("origin/main");
    project.git->ahead = 1;
    project.git->behind = 0;
    return project;
}

} // namespace

TEST(MindmapAttentionTest, AProjectThatNeedsAttentionCarriesOneBadgeAtEveryScale) {
    const Project calm = viztest::project("/r/a/calm");
    const Project flagged = unpushed("/r/a/flagged");
    ASSERT_TRUE(needsAttention(flagged));
    ASSERT_FALSE(needsAttention(calm));
    // Cards at 100 %, discs alone at 50 %, dots at 20 %: the flagged graph has one quad more.
    for (const double scale : {1.0, 0.5, 0.2}) {
        AttentionScene plain({calm, viztest::project("/r/a/flagger")}, false);
        AttentionScene marked({calm, flagged}, false);
        EXPECT_EQ(marked.quads(scale), plain.quads(scale) + 1) << scale;
    }
}

TEST(MindmapAttentionTest, TheBadgeAndItsMarkReadInLightAndDark) {
    for (const bool dark : {false, true}) {
        SpriteAtlas atlas;
        const QColor tone = colorscheme::named(mindmaplook::kAttentionTone, dark);
        const QColor card = colorscheme::surface("control", dark);
        const MindmapPalette palette = MindmapPalette::from(ColorScheme().tones(dark), {});
        const QColor mark = palette.foregroundOn(tone);
        // Graphics against the card and the canvas, the mark against the badge: 3:1 at least.
        EXPECT_GE(colorscheme::contrast(tone, card), 3.0) << dark;
        EXPECT_GE(colorscheme::contrast(tone, colorscheme::surface("text", dark)), 3.0) << dark;
        EXPECT_GE(colorscheme::contrast(mark, tone), 3.0) << dark;

        // The painted badge: the tone at its centre's edge, the mark's colour in its middle,
        // the card's colour in its ring.
        const double k = 2.0;
        const int sprite = mindmapsprites::attentionBadge(atlas, tone, card, mark, mindmaplook::kAttentionBadge, true, k);
        ASSERT_GE(sprite, 0);
        const QRect cell = atlas.cell(sprite);
        const QImage& image = atlas.image();
        const QPointF c = QRectF(cell).center();
        const auto pixel = [&](double dx, double dy) { return QColor::fromRgba(image.pixel(QPoint(int(c.x() + dx), int(c.y() + dy)))); };
        const double radius = mindmaplook::kAttentionBadge * k / 2;
        EXPECT_LT(colorscheme::contrast(pixel(-radius * 0.6, 0), tone), 1.1) << dark;
        EXPECT_LT(colorscheme::contrast(pixel(0, -radius * 0.3), mark), 1.1) << dark;
        EXPECT_LT(colorscheme::contrast(pixel(radius + 1.5, 0), card), 1.1) << dark;
    }
}
