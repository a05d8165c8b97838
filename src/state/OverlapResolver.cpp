#include "state/OverlapResolver.h"

#include "state/IndexSet.h"
#include "state/OverlapGrid.h"

#include <QRectF>

#include <algorithm>
#include <cmath>

namespace overlaps {

Layout layoutOf(const GraphNodeMap& nodes) {
    Layout layout;
    layout.positions.reserve(nodes.size());
    layout.movable.reserve(nodes.size());
    for (const CachedGraphNode& node : nodes) {
        layout.positions.append(node.position);
        layout.movable.append(node.depth != 0);
    }
    return layout;
}

void storeLayout(const Layout& layout, GraphNodeMap& nodes) {
    for (qsizetype i = 0; i < nodes.size(); ++i) nodes[i].position = layout.positions.at(i);
}

void resolveQuadratic(Layout& layout) {
    const qsizetype count = layout.positions.size();
    if (count < 2) return;
    QPointF* positions = layout.positions.data();
    const QList<bool>& movable = layout.movable;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool moved = false;
        for (qsizetype i = 0; i < count; ++i) {
            if (!movable.at(i)) continue;
            for (qsizetype j = i + 1; j < count; ++j) {
                if (movable.at(j) && pushApart(positions[i], positions[j])) moved = true;
            }
        }
        if (!moved) return;
    }
}

namespace {

// The rectangle around the finite positions of the movable nodes.
QRectF boundsOf(const Layout& layout) {
    double left = qInf(), top = qInf(), right = -qInf(), bottom = -qInf();
    for (qsizetype i = 0; i < layout.positions.size(); ++i) {
        const QPointF p = layout.positions.at(i);
        if (!layout.movable.at(i) || !std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    if (left > right) return QRectF(0, 0, 0, 0);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

} // namespace

void resolve(Layout& layout) {
    const qsizetype count = layout.positions.size();
    if (count < 2) return;
    QPointF* positions = layout.positions.data();
    OverlapGrid grid(kThreshold, boundsOf(layout), count);
    for (qsizetype i = 0; i < count; ++i) {
        if (layout.movable.at(i)) grid.insert(i, positions[i]);
    }

    // Within row i only node i and the partner of the current pair move; every later node is
    // still where it was when the row began. So the pairs worth visiting are node i with the
    // later nodes in the cells around it. When node i moves into another block of cells, the
    // cells new to the block are added; the candidates gathered before stay (a far one only
    // costs a distance), and nodes that entered the old cells since are visited already.
    IndexSet candidates(count);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool moved = false;
        for (qsizetype i = 0; i < count; ++i) {
            if (!layout.movable.at(i)) continue;
            OverlapGrid::Block block = grid.blockAround(positions[i], kThreshold);
            grid.gather(block, i, candidates);
            for (qsizetype j = candidates.takeNext(i); j >= 0; j = candidates.takeNext(j)) {
                if (!pushApart(positions[i], positions[j])) continue;
                moved = true;
                grid.move(i, positions[i]);
                grid.move(j, positions[j]);
                const OverlapGrid::Block now = grid.blockAround(positions[i], kThreshold);
                if (now == block) continue;
                grid.gatherNew(now, block, j, candidates);
                block = now;
            }
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
