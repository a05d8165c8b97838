#include "state/OverlapResolver.h"

#include "state/OverlapGrid.h"

#include <QRectF>

#include <algorithm>
#include <bit>
#include <cmath>

namespace overlaps {

Layout layoutOf(const GraphNodeMap& nodes) {
    Layout layout;
    const size_t count = size_t(nodes.size());
    layout.xs.reserve(count);
    layout.ys.reserve(count);
    layout.movable.reserve(count);
    for (const CachedGraphNode& node : nodes) {
        layout.xs.push_back(node.position.x());
        layout.ys.push_back(node.position.y());
        layout.movable.push_back(node.depth != 0);
    }
    return layout;
}

void storeLayout(const Layout& layout, GraphNodeMap& nodes) {
    for (qsizetype i = 0; i < nodes.size(); ++i) nodes[i].position = QPointF(layout.xs[size_t(i)], layout.ys[size_t(i)]);
}

void resolveQuadratic(Layout& layout) {
    const qsizetype count = qsizetype(layout.xs.size());
    if (count < 2) return;
    double* xs = layout.xs.data();
    double* ys = layout.ys.data();
    const std::uint8_t* movable = layout.movable.data();
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool moved = false;
        for (qsizetype i = 0; i < count; ++i) {
            if (!movable[i]) continue;
            for (qsizetype j = i + 1; j < count; ++j) {
                if (movable[j] && pushApart(xs[i], ys[i], xs[j], ys[j])) moved = true;
            }
        }
        if (!moved) return;
    }
}

namespace {

// The rectangle around the finite positions of the movable nodes.
QRectF boundsOf(const Layout& layout) {
    double left = qInf(), top = qInf(), right = -qInf(), bottom = -qInf();
    for (size_t i = 0; i < layout.xs.size(); ++i) {
        const double x = layout.xs[i], y = layout.ys[i];
        if (!layout.movable[i] || !std::isfinite(x) || !std::isfinite(y)) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    if (left > right) return QRectF(0, 0, 0, 0);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// The bits from `first` on (none for 64).
std::uint64_t above(size_t first) { return first >= 64 ? 0 : ~std::uint64_t(0) << first; }

} // namespace

void resolve(Layout& layout) {
    const qsizetype count = qsizetype(layout.xs.size());
    if (count < 2) return;
    double* xs = layout.xs.data();
    double* ys = layout.ys.data();
    const std::uint8_t* movable = layout.movable.data();
    OverlapGrid grid(kThreshold, boundsOf(layout), count);
    grid.fill(xs, ys, movable, count);

    // Within row i only node i and the partner of the current pair move; every later node is
    // still where it was when the row began. So the pairs worth visiting are node i with the
    // later nodes in the block of cells around it, taken a word of 64 indices at a time. When
    // node i leaves the block, the rest of the current word and the later words are read
    // from the new block. Nothing in the row looks node i up in the grid, so it is filed once,
    // at the row's end.
    std::vector<std::uint64_t> scratch;
    const std::uint64_t all = ~std::uint64_t(0);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool moved = false;
        for (qsizetype i = 0; i < count; ++i) {
            if (!movable[i]) continue;
            // Local copies: no later node aliases node i.
            double x = xs[i];
            double y = ys[i];
            OverlapGrid::Block block = grid.blockAround(x, y, kThreshold);
            OverlapGrid::Box safe = grid.safeCentres(block, kThreshold);
            OverlapGrid::Lines lines = grid.linesOf(block, scratch);
            bool rowMoved = false;
            const size_t first = size_t(i) + 1;
            std::uint64_t firstMask = above(first & 63);
            for (size_t w = first >> 6; w < grid.wordCount(); ++w, firstMask = all) {
                std::uint64_t bits = lines.word(w) & firstMask;
                while (bits != 0) {
                    const qsizetype j = qsizetype(64 * w) + std::countr_zero(bits);
                    bits &= bits - 1;
                    if (!pushApart(x, y, xs[j], ys[j])) continue;
                    rowMoved = true;
                    grid.move(j, xs[j], ys[j]);
                    if (safe.holds(x, y)) continue;
                    const OverlapGrid::Block now = grid.blockAround(x, y, kThreshold);
                    if (now == block) continue;
                    block = now;
                    safe = grid.safeCentres(block, kThreshold);
                    lines = grid.linesOf(block, scratch);
                    // The rest of this word as the new block holds it; later words are read
                    // from it anyway.
                    bits = lines.word(w) & above(size_t(j & 63) + 1);
                }
            }
            if (!rowMoved) continue;
            moved = true;
            xs[i] = x;
            ys[i] = y;
            grid.move(i, x, y);
        }
        if (!moved) return;
    }
}

} // namespace overlaps

void resolveOverlaps(GraphNodeMap& nodes) {
    overlaps::Layout layout = overlaps::layoutOf(nodes);
    overlaps::resolve(layout);
    overlaps::storeLayout(layout, nodes);
}

void resolveOverlapsQuadratic(GraphNodeMap& nodes) {
    overlaps::Layout layout = overlaps::layoutOf(nodes);
    overlaps::resolveQuadratic(layout);
    overlaps::storeLayout(layout, nodes);
}
