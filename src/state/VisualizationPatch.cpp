#include "state/VisualizationPatch.h"

#include "model/ProjectType.h"

namespace vispatch {

namespace {

bool replaceIn(QList<CachedTreeNode>& nodes, const QString& path, const Project& record) {
    for (CachedTreeNode& node : nodes) {
        if (node.fullPath == path) {
            if (!node.project) return false;
            node.project = record;
            return true;
        }
        // Children's paths extend their parent's by "/" and a name (the root "/" ends in one).
        const bool below = path.startsWith(node.fullPath) &&
                           (node.fullPath.endsWith(QLatin1Char('/')) || path.at(node.fullPath.size()) == QLatin1Char('/'));
        if (below) return replaceIn(node.children, path, record);
    }
    return false;
}

} // namespace

bool replaceRecord(CachedTreeData& tree, const QString& pathText, const Project& record) {
    return replaceIn(tree.nodes, pathText, record);
}

bool replaceRecord(CachedGraphData& graph, const QString& pathText, const Project& record) {
    const qsizetype index = graph.nodes.indexOf(pathText);
    if (index < 0 || !graph.nodes.at(index).project) return false;
    graph.nodes[index].project = record;
    for (CachedGraphNode& node : graph.flatNodes) {
        if (node.id == pathText) {
            node.project = record;
            break;
        }
    }
    // The root has no connection; every other node made one, in creation order.
    if (index > 0 && graph.connections.size() >= index && graph.connections.at(index - 1).toPath == pathText)
        graph.connections[index - 1].color = projecttype::color(record.type);
    return true;
}

} // namespace vispatch
