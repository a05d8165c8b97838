#include "state/OverlapResolver.h"

#include "state/OverlapGrid.h"

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

bool pushApart(QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double distance = std::sqrt(dx * dx + dy * dy);
    // Written so that a NaN distance (from non-finite input) is skipped as well.
    if (!(distance < kThreshold) || !(distance > 0)) return false;
    const double overlap = kThreshold - distance;
    const double shiftX = dx / distance * overlap * 0.5;
    const double shiftY = dy / distance * overlap * 0.5;
    a = QPointF(a.x() - shiftX, a.y() - shiftY);
    b = QPointF(b.x() + shiftX, b.y() + shiftY);
    return true;
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

void resolve(Layout& layout) {
    const qsizetype count = layout.positions.size();
    if (count < 2) return;
    QPointF* positions = layout.positions.data();
    OverlapGrid grid(kThreshold);
    for (qsizetype i = 0; i < count; ++i) {
        if (layout.movable.at(i)) grid.insert(i, positions[i]);
    }

    // Within row i only node i and the partner of the current pair move, and every later node
    // is still where it was when the row began. So the candidates are the later nodes in the
    // grid cells around node i, asked again whenever node i moves into another block of cells.
    QList<qsizetype> candidates;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool moved = false;
        for (qsizetype i = 0; i < count; ++i) {
            if (!layout.movable.at(i)) continue;
            OverlapGrid::Block block = grid.blockAround(positions[i]);
            grid.collect(block, i, candidates);
            for (qsizetype next = 0; next < candidates.size(); ++next) {
                const qsizetype j = candidates.at(next);
                if (!pushApart(positions[i], positions[j])) continue;
                moved = true;
                grid.move(i, positions[i]);
                grid.move(j, positions[j]);
                const OverlapGrid::Block now = grid.blockAround(positions[i]);
                if (now != block) {
                    block = now;
                    grid.collect(block, j, candidates);
                    next = -1;
                }
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
