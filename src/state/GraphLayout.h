#pragma once

#include "state/GraphNodeMap.h"

#include <QHash>
#include <QPointF>
#include <QString>

// The radial mindmap layout: each node gets an angular sector in proportion to the size of its
// subtree and sits on the sector's bisector, depth x 140 points from its parent.
namespace graphlayout {

inline constexpr double kFirstAngle = -1.5707963267948966; // straight up
inline constexpr double kFullTurn = 6.283185307179586;
inline constexpr double kRingStep = 140;
inline constexpr double kWidestFan = 2.5132741228718345; // 0.8 pi
inline constexpr double kAnglePerChild = 0.4;
inline constexpr double kNodeWidth = 160;
inline constexpr double kNodeHeight = 50;
inline constexpr double kMargin = 200;
inline constexpr double kEmptyWidth = 800;
inline constexpr double kEmptyHeight = 600;

// Number of nodes in the subtree of every node reachable from `rootPath` (the node itself
// included). Paths without a node are not stored; their weight is 1.
QHash<QString, qint64> subtreeSizes(const GraphNodeMap& nodes, const QString& rootPath);

// Puts the node at `path` on the bisector of [start, end], depth x 140 from `centre`, then
// fans its children around that direction (at most 0.8 pi wide, 0.4 per child).
void placeNode(GraphNodeMap& nodes, const QHash<QString, qint64>& sizes, const QString& path,
               QPointF centre, double start, double end, qint64 depth);

// Puts the root at (0, 0) and shares the full circle among its children, clockwise on screen
// from straight up, in proportion to their subtree sizes.
void placeAroundRoot(GraphNodeMap& nodes, const QHash<QString, qint64>& sizes, const QString& rootPath);

} // namespace graphlayout
