#include "MindmapPalette.h"
#include "ShapeMesh.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The premultiplied colour the triangles give at `p` (the topmost triangle covering it), or
// nothing when no triangle does: a software rasteriser of one sample.
struct Sample {
    bool covered = false;
    double alpha = 0, red = 0;
};

Sample sampleAt(const ShapeMesh& mesh, QPointF p) {
    Sample result;
    const auto& v = mesh.vertices();
    const auto& idx = mesh.indices();
    for (size_t t = 0; t + 2 < idx.size(); t += 3) {
        const auto &a = v[idx[t]], &b = v[idx[t + 1]], &c = v[idx[t + 2]];
        const double d = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
        if (std::abs(d) < 1e-12) continue;
        const double l1 = ((b.y - c.y) * (p.x() - c.x) + (c.x - b.x) * (p.y() - c.y)) / d;
        const double l2 = ((c.y - a.y) * (p.x() - c.x) + (a.x - c.x) * (p.y() - c.y)) / d;
        const double l3 = 1 - l1 - l2;
        if (l1 < -1e-9 || l2 < -1e-9 || l3 < -1e-9) continue;
        result.covered = true;
        result.alpha = (l1 * a.a + l2 * b.a + l3 * c.a) / 255.0;
        result.red = (l1 * a.r + l2 * b.r + l3 * c.r) / 255.0;
    }
    return result;
}

} // namespace

TEST(ShapeMesh, AFilledDiscCoversItsInsideSolidlyAndFadesOutOverOneFeather) {
    ShapeMesh mesh;
    mesh.addShape(QRectF(-45, -45, 90, 90), 45, ShapeMesh::Paint::solid(Qt::red), {}, 0, 2.0, 8);
    for (const auto& i : mesh.indices()) ASSERT_LT(i, mesh.vertices().size());
    for (int angle = 0; angle < 360; angle += 7) {
        const double a = angle * M_PI / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        for (double r : {0.0, 10.0, 30.0, 42.0}) {
            const Sample s = sampleAt(mesh, dir * r);
            EXPECT_TRUE(s.covered) << angle << " " << r;
            EXPECT_NEAR(s.alpha, 1.0, 0.02) << angle << " " << r;
            EXPECT_NEAR(s.red, 1.0, 0.02);
        }
        EXPECT_FALSE(sampleAt(mesh, dir * 46.5).covered) << angle;
        const Sample edge = sampleAt(mesh, dir * 45);
        EXPECT_GT(edge.alpha, 0.2);
        EXPECT_LT(edge.alpha, 0.8);
    }
}

TEST(ShapeMesh, AnOutlineSitsInsideTheEdgeOverAnOpaqueFill) {
    ShapeMesh mesh;
    // A capsule 100 x 40 with a 2-point blue outline over white, feather 1.
    mesh.addShape(QRectF(0, 0, 100, 40), 20, ShapeMesh::Paint::solid(Qt::white), Qt::blue, 2.0, 1.0, 6);
    const Sample centre = sampleAt(mesh, QPointF(50, 20));
    EXPECT_NEAR(centre.alpha, 1.0, 0.01);
    EXPECT_NEAR(centre.red, 1.0, 0.01);
    const Sample line = sampleAt(mesh, QPointF(50, 1));
    EXPECT_NEAR(line.alpha, 1.0, 0.01);
    EXPECT_NEAR(line.red, 0.0, 0.01);
    // The rounded ends are round: the bounding box corner is outside.
    EXPECT_FALSE(sampleAt(mesh, QPointF(1, 1)).covered);
    EXPECT_TRUE(sampleAt(mesh, QPointF(1, 20)).covered);
}

TEST(ShapeMesh, AShadowFadesToNothingAtItsBlurRadius) {
    ShapeMesh mesh;
    QColor shade(0, 0, 0);
    shade.setAlphaF(0.5f);
    mesh.addShadow(QRectF(0, 0, 100, 50), 12, shade, 10, 4);
    EXPECT_NEAR(sampleAt(mesh, QPointF(50, 25)).alpha, 0.5, 0.01);
    EXPECT_NEAR(sampleAt(mesh, QPointF(50, -0.0)).alpha, 0.25, 0.03);
    EXPECT_FALSE(sampleAt(mesh, QPointF(50, -10.5)).covered);
    ShapeMesh none;
    none.addShadow(QRectF(0, 0, 10, 10), 2, shade, 0, 4);
    EXPECT_TRUE(none.vertices().empty());
}

TEST(ShapeMesh, AGradientRunsFromItsStartToItsEnd) {
    const ShapeMesh::Paint paint{Qt::white, Qt::black, QPointF(0, 0), QPointF(0, 100), true};
    EXPECT_NEAR(paint.at(QPointF(30, 0)).redF(), 1.0, 1e-6);
    EXPECT_NEAR(paint.at(QPointF(30, 50)).redF(), 0.5, 1e-3);
    EXPECT_NEAR(paint.at(QPointF(30, 250)).redF(), 0.0, 1e-6) << "beyond the end: the end colour";
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
