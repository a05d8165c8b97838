#include "MindmapTiles.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QList<QRectF> tilesOf(const MindmapTiles& tiles) {
    QList<QRectF> rects;
    for (int i = 0; i < tiles.rowCount(); ++i) rects << tiles.data(tiles.index(i), Qt::UserRole).toRectF();
    return rects;
}

// Whether every point of `rect` lies in some tile: sampled on a grid finer than any tile.
bool covered(const QList<QRectF>& tiles, const QRectF& rect) {
    for (double y = rect.top(); y < rect.bottom(); y += 37) {
        for (double x = rect.left(); x < rect.right(); x += 37) {
            bool in = false;
            for (const QRectF& tile : tiles) in = in || tile.contains(QPointF(x, y));
            if (!in) return false;
        }
    }
    return true;
}

struct TilesFixture : ::testing::Test {
    MindmapTiles tiles;
    const QRectF canvas{0, 0, 6000, 4000};
    void SetUp() override {
        tiles.setCanvasSize(canvas.size());
        tiles.setPixelScale(1.0);
        tiles.setVisibleRect(QRectF(1000, 1000, 1400, 900));
        tiles.addOneAhead(); // the first frame
    }
    // A hundred frames; returns how many of them added a tile.
    int framesUntilComplete() {
        int adding = 0;
        for (int frame = 0; frame < 100; ++frame) {
            const int before = tiles.rowCount();
            tiles.addOneAhead();
            adding += tiles.rowCount() - before;
        }
        return adding;
    }
};

} // namespace

TEST_F(TilesFixture, TheScreenIsCoveredAtOnceAndTheRingAroundItOneTileAFrame) {
    // The grid starts at the screen's corner: 3 x 2 tiles of 512 cover 1400 x 900. The first
    // frame builds the nodes for them and the ring, so it adds no tile of the ring.
    const QList<QRectF> first = tilesOf(tiles);
    EXPECT_EQ(first.size(), 6);
    EXPECT_EQ(first.first(), QRectF(1000, 1000, 512, 512));
    EXPECT_TRUE(covered(first, tiles.visibleRect()));
    // Then the ring, one tile a frame: 5 x 4 tiles in all.
    tiles.addOneAhead();
    EXPECT_EQ(tiles.rowCount(), 7);
    EXPECT_EQ(framesUntilComplete(), 13);
    EXPECT_EQ(tiles.rowCount(), 20);
    EXPECT_TRUE(tiles.coveredRect().contains(tiles.visibleRect().adjusted(-512, -512, 512, 512)));

    // A pan past the ring: the screen is covered in the same step, the far side let go.
    tiles.setVisibleRect(QRectF(2600, 1000, 1400, 900));
    EXPECT_TRUE(covered(tilesOf(tiles), tiles.visibleRect()));
    for (const QRectF& tile : tilesOf(tiles)) EXPECT_GE(tile.right(), 2600 - 3 * 512) << tile.x();
    const int afterPan = tiles.rowCount();
    tiles.addOneAhead();
    EXPECT_EQ(tiles.rowCount(), afterPan) << "the frame that builds for the new ring adds no tile";
    tiles.addOneAhead();
    EXPECT_EQ(tiles.rowCount(), afterPan + 1);
    framesUntilComplete();
    EXPECT_TRUE(covered(tilesOf(tiles), tiles.visibleRect().adjusted(-512, -512, 512, 512)));
}

TEST_F(TilesFixture, TilesStayInsideTheCanvasAndMeetWithoutGaps) {
    tiles.setPixelScale(0.37);
    tiles.setVisibleRect(QRectF(-300, -200, 1400 / 0.37, 900 / 0.37));
    framesUntilComplete();
    const QList<QRectF> all = tilesOf(tiles);
    ASSERT_FALSE(all.isEmpty());
    for (const QRectF& tile : all) {
        EXPECT_TRUE(tile.intersects(canvas)) << tile.x() << "," << tile.y();
        EXPECT_NEAR(tile.width() * 0.37, 512, 1e-6);
        // A neighbour to the right starts exactly where this one ends.
        for (const QRectF& other : all) {
            if (other.top() == tile.top() && other.left() > tile.left() && other.left() < tile.right() + 1) {
                EXPECT_EQ(other.left(), tile.right());
            }
        }
    }
    EXPECT_TRUE(covered(all, tiles.visibleRect().intersected(canvas)));
}

TEST_F(TilesFixture, AZoomStartsAgainAndARestyleKeepsOnlyTheScreensTiles) {
    framesUntilComplete();
    QSignalSpy reset(&tiles, &QAbstractItemModel::modelReset);
    tiles.setPixelScale(2.0);
    tiles.setVisibleRect(QRectF(1200, 1100, 700, 450));
    EXPECT_GE(reset.count(), 1);
    const QList<QRectF> zoomed = tilesOf(tiles);
    EXPECT_EQ(zoomed.first(), QRectF(1200, 1100, 256, 256)) << "the grid starts at the new corner";
    EXPECT_TRUE(covered(zoomed, tiles.visibleRect()));
    framesUntilComplete();

    const int generation = tiles.generation();
    tiles.restyle();
    EXPECT_EQ(tiles.generation(), generation + 1);
    EXPECT_EQ(tiles.rowCount(), 6) << "3 x 2 tiles on screen";
    // While the look keeps changing, as during a fade, no tile is drawn ahead.
    tiles.addOneAhead();
    tiles.restyle();
    tiles.addOneAhead();
    EXPECT_EQ(tiles.rowCount(), 6);
    EXPECT_GT(framesUntilComplete(), 0) << "the ring comes back one tile a frame";
    // A screen rectangle that is not a number makes no tiles.
    tiles.setVisibleRect(QRectF(qQNaN(), 0, 700, 450));
    EXPECT_EQ(tiles.rowCount(), 0);
}
