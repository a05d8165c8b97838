#include "state/GraphLayout.h"

#include <algorithm>
#include <cmath>

namespace graphlayout {

namespace {

qint64 weight(const QHash<QString, qint64>& sizes, const QString& path) { return sizes.value(path, 1); }

qint64 computeSize(const GraphNodeMap& nodes, const QString& path, QHash<QString, qint64>& sizes) {
    const CachedGraphNode* node = nodes.find(path);
    if (!node) return 1;
    qint64 size = 1;
    for (const QString& child : node->childIDs) size += computeSize(nodes, child, sizes);
    sizes.insert(path, size);
    return size;
}

} // namespace

QHash<QString, qint64> subtreeSizes(const GraphNodeMap& nodes, const QString& rootPath) {
    QHash<QString, qint64> sizes;
    sizes.reserve(nodes.size());
    computeSize(nodes, rootPath, sizes);
    return sizes;
}

void placeNode(GraphNodeMap& nodes, const QHash<QString, qint64>& sizes, const QString& path,
               QPointF centre, double start, double end, qint64 depth) {
    const double middle = (start + end) * 0.5;
    const double radius = double(depth) * kRingStep;
    CachedGraphNode* node = nodes.find(path);
    if (!node) return;
    const QPointF position(centre.x() + radius * std::cos(middle), centre.y() + radius * std::sin(middle));
    node->position = position;
    if (node->childIDs.isEmpty()) return;
    const QStringList children = node->childIDs;

    qint64 total = 0;
    for (const QString& child : children) total += weight(sizes, child);
    const double shared = double(std::max<qint64>(total, 1));
    const double fan = std::min({end - start, kWidestFan, double(children.size()) * kAnglePerChild});

    double from = middle - fan * 0.5;
    for (const QString& child : children) {
        const double to = from + fan * (double(weight(sizes, child)) / shared);
        placeNode(nodes, sizes, child, position, from, to, depth + 1);
        from = to;
    }
}

void placeAroundRoot(GraphNodeMap& nodes, const QHash<QString, qint64>& sizes, const QString& rootPath) {
    CachedGraphNode* root = nodes.find(rootPath);
    if (!root) return;
    root->position = QPointF(0, 0);
    const QStringList children = root->childIDs;

    qint64 total = 0;
    for (const QString& child : children) total += weight(sizes, child);
    double from = kFirstAngle;
    for (const QString& child : children) {
        const double to = from + (double(weight(sizes, child)) / double(total)) * kFullTurn;
        placeNode(nodes, sizes, child, QPointF(0, 0), from, to, 1);
        from = to;
    }
}

} // namespace graphlayout
