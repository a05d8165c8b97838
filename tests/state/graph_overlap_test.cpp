#include "state/GraphNodeMap.h"
#include "state/OverlapGrid.h"
#include "state/OverlapResolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

GraphNodeMap mapOf(const QList<std::pair<QPointF, qint64>>& nodes) {
    GraphNodeMap map;
    for (const auto& [position, depth] : nodes) {
        CachedGraphNode node;
        node.id = node.fullPath = QStringLiteral("/n%1").arg(map.size());
        node.depth = depth;
        node.position = position;
        map.insert(node);
    }
    return map;
}

// Random nodes in a square; some share a point, some are roots that must neither move nor push.
GraphNodeMap randomMap(unsigned seed, int count, double side) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> coordinate(-side / 2, side / 2);
    QList<std::pair<QPointF, qint64>> nodes;
    for (int i = 0; i < count; ++i) {
        QPointF position(coordinate(random), coordinate(random));
        if (i > 0 && random() % 20 == 0) position = nodes.at(int(random() % nodes.size())).first;
        if (random() % 10 == 0) position = QPointF(std::round(position.x() / 144) * 144, position.y()); // on a cell edge
        nodes.append({position, random() % 25 == 0 ? 0 : 1 + qint64(random() % 4)});
    }
    return mapOf(nodes);
}

void expectBitIdentical(const GraphNodeMap& a, const GraphNodeMap& b) {
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a.at(i).position.x(), b.at(i).position.x()) << "node " << i;
        ASSERT_EQ(a.at(i).position.y(), b.at(i).position.y()) << "node " << i;
    }
}

int movedCount(const GraphNodeMap& before, const GraphNodeMap& after) {
    int moved = 0;
    for (qsizetype i = 0; i < before.size(); ++i) moved += before.at(i).position != after.at(i).position;
    return moved;
}

} // namespace

TEST(Overlaps, ClosePairMovesApartSymmetrically) {
    for (auto resolve : {&resolveOverlaps, &resolveOverlapsQuadratic}) {
        GraphNodeMap map = mapOf({{QPointF(0, 0), 0}, {QPointF(100, 0), 1}, {QPointF(200, 0), 2}});
        resolve(map);
        // The root, 78 from the first node afterwards, neither moved nor pushed.
        EXPECT_EQ(map.at(0).position, QPointF(0, 0));
        EXPECT_EQ(map.at(1).position.x(), 78);
        EXPECT_EQ(map.at(2).position.x(), 222);
        EXPECT_EQ(map.at(1).position.y(), 0);
        EXPECT_EQ(map.at(2).position.y(), 0);
    }
}

TEST(Overlaps, DiagonalPairEndsExactlyAtTheThreshold) {
    GraphNodeMap map = mapOf({{QPointF(10, 10), 1}, {QPointF(40, 50), 1}});
    resolveOverlaps(map);
    const QPointF a = map.at(0).position, b = map.at(1).position;
    EXPECT_NEAR(std::hypot(b.x() - a.x(), b.y() - a.y()), 144, 1e-9);
    EXPECT_NEAR((a.x() + b.x()) / 2, 25, 1e-12);
    EXPECT_NEAR((a.y() + b.y()) / 2, 30, 1e-12);
    // Along the line between them: (30, 40) is direction (0.6, 0.8).
    EXPECT_NEAR(b.x() - a.x(), 144 * 0.6, 1e-9);
}

TEST(Overlaps, NodesAtTheSamePointOrFarApartStay) {
    GraphNodeMap map = mapOf({{QPointF(5, 5), 1}, {QPointF(5, 5), 1}, {QPointF(500, 5), 1}, {QPointF(644, 5), 1}});
    const GraphNodeMap before = map;
    resolveOverlaps(map);
    expectBitIdentical(map, before);
}

TEST(Overlaps, StopsAfterThirtyPassesEvenIfPairsRemainClose) {
    // A long, tightly packed row needs far more than thirty passes to spread out.
    QList<std::pair<QPointF, qint64>> row;
    for (int i = 0; i < 60; ++i) row.append({QPointF(i * 2.0, 0), 1});
    GraphNodeMap map = mapOf(row);
    resolveOverlaps(map);
    GraphNodeMap again = map;
    resolveOverlaps(again);
    EXPECT_GT(movedCount(map, again), 0) << "the first call should have stopped at the pass limit";

    GraphNodeMap reference = mapOf(row);
    resolveOverlapsQuadratic(reference);
    expectBitIdentical(map, reference);
}

TEST(Overlaps, GridGivesExactlyTheQuadraticMoves) {
    struct Case {
        unsigned seed;
        int count;
        double side;
    };
    // From crowded (most nodes overlap) to sparse; a few hundred nodes each.
    for (const Case& c : {Case{1, 300, 800}, Case{2, 400, 2000}, Case{3, 250, 400}, Case{4, 500, 6000},
                          Case{5, 300, 1500}, Case{6, 200, 100}}) {
        SCOPED_TRACE(c.seed);
        const GraphNodeMap start = randomMap(c.seed, c.count, c.side);
        GraphNodeMap grid = start, plain = start;
        resolveOverlaps(grid);
        resolveOverlapsQuadratic(plain);
        EXPECT_GT(movedCount(start, plain), c.count / 10);
        expectBitIdentical(grid, plain);
    }
}

TEST(Overlaps, GridKeepsFarAwayAndNonFinitePointsSafe) {
    const double huge = 1e300;
    GraphNodeMap map = mapOf({{QPointF(huge, huge), 1},
                              {QPointF(huge, huge + 1e285), 1},
                              {QPointF(-huge, 0), 1},
                              {QPointF(qInf(), 0), 1},
                              {QPointF(qQNaN(), 0), 1},
                              {QPointF(0, 0), 1},
                              {QPointF(50, 0), 1}});
    GraphNodeMap plain = map;
    resolveOverlaps(map);
    resolveOverlapsQuadratic(plain);
    for (qsizetype i = 0; i < map.size(); ++i) {
        const QPointF a = map.at(i).position, b = plain.at(i).position;
        EXPECT_TRUE((a.x() == b.x() || (std::isnan(a.x()) && std::isnan(b.x()))) && a.y() == b.y()) << i;
    }
    EXPECT_EQ(map.at(5).position.x(), -47);
    EXPECT_EQ(map.at(6).position.x(), 97);
}

// The indices greater than `after` that the lines of `block` hold, ascending.
std::vector<qsizetype> gathered(const OverlapGrid& grid, const OverlapGrid::Block& block, qsizetype after,
                                qsizetype bound) {
    std::vector<std::uint64_t> scratch;
    const OverlapGrid::Lines lines = grid.linesOf(block, scratch);
    std::vector<qsizetype> found;
    for (size_t w = 0; w < grid.wordCount(); ++w) {
        for (int b = 0; b < 64; ++b) {
            const qsizetype index = qsizetype(64 * w) + b;
            if (index > after && (lines.word(w) >> b & 1)) found.push_back(index);
        }
    }
    EXPECT_TRUE(found.empty() || found.back() < bound);
    return found;
}

TEST(OverlapGridTest, BlockHoldsEveryPointWithinTheDistance) {
    OverlapGrid grid(144, QRectF(-1000, -1000, 2000, 2000), 400);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> coordinate(-1000, 1000);
    std::vector<double> xs, ys;
    for (int i = 0; i < 400; ++i) {
        xs.push_back(coordinate(random));
        ys.push_back(coordinate(random));
        if (i % 3 == 0) xs.back() = std::round(xs.back() / 144) * 144;
    }
    grid.fill(xs.data(), ys.data(), std::vector<std::uint8_t>(400, 1).data(), 400);
    for (int i = 0; i < 400; i += 2) {
        xs[i] += coordinate(random) / 10;
        ys[i] += coordinate(random) / 10;
        grid.move(i, xs[i], ys[i]);
    }
    // 400 spans more than four cells each way: the block's lines are united first.
    for (const double radius : {144.0, 400.0}) {
        for (qsizetype i = 0; i < 400; ++i) {
            const std::vector<qsizetype> found = gathered(grid, grid.blockAround(xs[i], ys[i], radius), i, 400);
            for (qsizetype j = i + 1; j < 400; ++j) {
                if (std::hypot(xs[j] - xs[i], ys[j] - ys[i]) < radius) {
                    EXPECT_TRUE(std::find(found.cbegin(), found.cend(), j) != found.cend()) << i << " " << j;
                }
            }
            for (qsizetype j : found) EXPECT_GT(j, i);
        }
    }
}

TEST(OverlapGridTest, CentresInsideTheSafeBoxNeedNoOtherCells) {
    OverlapGrid grid(144, QRectF(-1000, -1000, 2000, 2000), 400);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> coordinate(-1200, 1200);
    std::uniform_real_distribution<double> share(0, 1);
    for (int k = 0; k < 2000; ++k) {
        const OverlapGrid::Block block = grid.blockAround(coordinate(random), coordinate(random), 144);
        const OverlapGrid::Box safe = grid.safeCentres(block, 144);
        // Points of the box, its corners and edges most of all (clipped where it has no end).
        const auto inside = [&](double low, double high) {
            low = std::max(low, -1500.0);
            high = std::min(high, 1500.0);
            const double pick = share(random);
            return pick < 0.25 ? low : pick < 0.5 ? high : low + (high - low) * share(random);
        };
        const double x = inside(safe.left, safe.right), y = inside(safe.top, safe.bottom);
        if (!safe.holds(x, y)) continue;
        const OverlapGrid::Block needed = grid.blockAround(x, y, 144);
        EXPECT_TRUE(needed.left >= block.left && needed.right <= block.right && needed.top >= block.top &&
                    needed.bottom <= block.bottom)
            << x << "," << y;
    }
}

TEST(OverlapGridTest, BlocksHoldExactlyTheirMembersWhenCrowdedAndEmptiedAgain) {
    // 300 points spread over 10 x 10 cells gather into the last cell and then into the first.
    const qsizetype count = 300;
    OverlapGrid grid(100, QRectF(0, 0, 999, 999), count);
    std::vector<double> xs, ys;
    for (qsizetype i = 0; i < count; ++i) {
        xs.push_back(double(i % 10) * 100 + 50);
        ys.push_back(double(i / 10 % 10) * 100 + 50);
    }
    std::vector<std::uint8_t> include(count, 1);
    include[7] = 0; // never filed
    grid.fill(xs.data(), ys.data(), include.data(), count);
    // Blocks of 3 x 3 cells (read as bands) and of 5 x 5 (united line by line) from the cell of (x, y).
    const auto expectCell = [&](double x, double y) {
        for (const int side : {3, 5}) {
            const int left = std::min(int(x / 100), 10 - side), top = std::min(int(y / 100), 10 - side);
            std::vector<qsizetype> members;
            for (qsizetype i = 0; i < count; ++i) {
                const int column = int(xs[i] / 100), row = int(ys[i] / 100);
                if (include[i] && column >= left && column < left + side && row >= top && row < top + side)
                    members.push_back(i);
            }
            const OverlapGrid::Block block{left, top, left + side - 1, top + side - 1};
            EXPECT_EQ(gathered(grid, block, -1, count), members) << x << "," << y << " " << side;
        }
    };
    std::mt19937 random(11);
    for (const double corner : {950.0, 50.0}) {
        std::vector<qsizetype> order(count);
        for (qsizetype i = 0; i < count; ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        for (qsizetype i : order) {
            if (!include[i]) continue;
            xs[i] = ys[i] = corner;
            grid.move(i, xs[i], ys[i]);
        }
        for (const double x : {50.0, 450.0, 950.0}) {
            for (const double y : {50.0, 950.0}) expectCell(x, y);
        }
    }
    for (qsizetype i = 0; i < count; i += 3) {
        xs[i] = double(i % 10) * 100 + 50;
        grid.move(i, xs[i], ys[i]);
    }
    for (const double x : {50.0, 150.0, 550.0, 950.0}) expectCell(x, 50);
}

TEST(OverlapGridTest, AVastSparseLayoutGetsFewLargeCellsAndStillSeparatesItsPairs) {
    // Far more than 4096 cells of 144 across each way: a grid of the threshold's cell size
    // would need hundreds of megabytes for a handful of points.
    const QRectF vast(-400000, -400000, 800000, 800000);
    OverlapGrid grid(144, vast, 3);
    EXPECT_LE(grid.cellCount(), OverlapGrid::maxCells(3) + 2 * 4097);

    // The pass over such a layout still does what the plain one does.
    GraphNodeMap map = mapOf({{QPointF(-400000, -400000), 1}, {QPointF(-399900, -400000), 1},
                              {QPointF(400000, 400000), 1}, {QPointF(399950, 400000), 1},
                              {QPointF(0, 0), 0}});
    GraphNodeMap plain = map;
    resolveOverlaps(map);
    resolveOverlapsQuadratic(plain);
    expectBitIdentical(map, plain);
    EXPECT_EQ(movedCount(plain, mapOf({{QPointF(-400000, -400000), 1}, {QPointF(-399900, -400000), 1},
                                       {QPointF(400000, 400000), 1}, {QPointF(399950, 400000), 1},
                                       {QPointF(0, 0), 0}})),
              4);
}
