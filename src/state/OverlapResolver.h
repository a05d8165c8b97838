#pragma once

#include "state/GraphNodeMap.h"

#include <cmath>
#include <cstdint>
#include <vector>

// The push-apart pass of the mindmap: nodes (other than the root, depth 0) whose centres lie
// closer than 144 points are pushed apart along the line between them, each by half the
// overlap. Pairs (i, j), i < j, are visited in the map's key order and every move counts at
// once; at most 30 passes, ending early after a pass that moved nothing. Two nodes at exactly
// the same point are not separated.
namespace overlaps {

inline constexpr double kThreshold = 144; // 0.9 x the larger side of the 160 x 50 node box
inline constexpr int kMaxPasses = 30;

// Centres in key order, as one array of x and one of y, and whether each node may move
// (false for the root).
struct Layout {
    std::vector<double> xs, ys;
    std::vector<std::uint8_t> movable;
};

Layout layoutOf(const GraphNodeMap& nodes);
void storeLayout(const Layout& layout, GraphNodeMap& nodes);

// Pushes a and b apart when they are closer than kThreshold and not at the same point.
// Returns whether they moved.
inline bool pushApart(double& ax, double& ay, double& bx, double& by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    // A quick refusal that decides exactly as the distance test below would: rounding is
    // monotonic and sqrt(144 * 144) is exactly 144 (a NaN is refused here too).
    const double squared = dx * dx + dy * dy;
    if (!(squared < kThreshold * kThreshold)) return false;
    const double distance = std::sqrt(squared);
    if (!(distance < kThreshold) || !(distance > 0)) return false;
    const double overlap = kThreshold - distance;
    const double shiftX = dx / distance * overlap * 0.5;
    const double shiftY = dy / distance * overlap * 0.5;
    ax -= shiftX;
    ay -= shiftY;
    bx += shiftX;
    by += shiftY;
    return true;
}

// Visits only the pairs a uniform grid says may be closer than the threshold; the moves are
// exactly those of resolveQuadratic.
void resolve(Layout& layout);
// Visits every pair: the plain form, kept as the reference for resolve().
void resolveQuadratic(Layout& layout);

} // namespace overlaps

// The push-apart pass over a node map (grid-accelerated) and its plain quadratic form.
void resolveOverlaps(GraphNodeMap& nodes);
void resolveOverlapsQuadratic(GraphNodeMap& nodes);
