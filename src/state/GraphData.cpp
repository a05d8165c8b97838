#include "state/GraphData.h"

#include "discovery/Utf8.h"
#include "model/ProjectType.h"
#include "state/GraphLayout.h"
#include "state/OverlapResolver.h"
#include "state/PathPieces.h"

#include <algorithm>

namespace {

// Creates the nodes and connections of every project beneath the root, in the given order.
// A path that already has a node keeps it, with one exception: a folder node made on the way to
// an earlier project becomes the node of the project at that folder (a repository's root listed
// after its packages), taking the project's look and connection colour.
void addProjectNodes(const QList<Project>& projects, const QString& rootPath, CachedGraphData& data) {
    const QString folderColor = QStringLiteral("secondary");
    for (const Project& project : projects) {
        // Bytes that are not UTF-8 stay apart, so that folders differing only there stay two nodes.
        const QString pathText = decodeUtf8KeepingBytes(project.path);
        const QList<QStringView> pieces = pathpieces::below(pathText, rootPath);
        // A project at the root folder itself is the root's own project; the root keeps its look.
        if (pathText == rootPath && !data.nodes.at(0).project) {
            data.nodes[0].project = project;
            data.nodes[0].isDirectory = false;
        }
        QString current = rootPath;
        qsizetype parent = 0; // the root, inserted first
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            current += QLatin1Char('/');
            current += pieces.at(i);
            const bool last = i == pieces.size() - 1;
            if (const qsizetype existing = data.nodes.indexOf(current); existing >= 0) {
                if (last && !data.nodes.at(existing).project) {
                    data.nodes[existing].project = project;
                    data.nodes[existing].isDirectory = false;
                    // Every node but the root made exactly one connection, in creation order.
                    Q_ASSERT(data.connections.at(existing - 1).toPath == current);
                    data.connections[existing - 1].color = projecttype::color(project.type);
                }
                parent = existing;
                continue;
            }

            CachedGraphNode node;
            node.id = current;
            node.name = pieces.at(i).toString();
            node.fullPath = current;
            node.isDirectory = !last;
            if (last) node.project = project;
            node.depth = i + 1;
            const qsizetype created = data.nodes.append(std::move(node));

            data.connections.append(CachedGraphConnection{data.nodes.at(parent).fullPath, current,
                                                          last ? projecttype::color(project.type) : folderColor});
            data.nodes[parent].childIDs.append(current);
            parent = created;
        }
    }
}

// The nodes by depth, shallow first; equal depths keep creation order.
QList<CachedGraphNode> byDepth(const GraphNodeMap& nodes) {
    QList<qsizetype> order(nodes.size());
    for (qsizetype i = 0; i < nodes.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&nodes](qsizetype a, qsizetype b) { return nodes.at(a).depth < nodes.at(b).depth; });
    QList<CachedGraphNode> sorted;
    sorted.reserve(nodes.size());
    for (qsizetype index : order) sorted.append(nodes.at(index));
    return sorted;
}

// Moves the drawing so that its box (nominal node boxes, and the origin) starts at the margin,
// and sizes the canvas to the box plus the margin on every side.
void fitToCanvas(CachedGraphData& data) {
    const double halfWidth = graphlayout::kNodeWidth / 2;
    const double halfHeight = graphlayout::kNodeHeight / 2;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const CachedGraphNode& node : data.nodes) {
        minX = std::min(minX, node.position.x() - halfWidth);
        maxX = std::max(maxX, node.position.x() + halfWidth);
        minY = std::min(minY, node.position.y() - halfHeight);
        maxY = std::max(maxY, node.position.y() + halfHeight);
    }
    const double shiftX = graphlayout::kMargin - minX;
    const double shiftY = graphlayout::kMargin - minY;
    for (qsizetype i = 0; i < data.nodes.size(); ++i) {
        const QPointF p = data.nodes.at(i).position;
        data.nodes[i].position = QPointF(p.x() + shiftX, p.y() + shiftY);
    }
    data.width = (maxX - minX) + 2 * graphlayout::kMargin;
    data.height = (maxY - minY) + 2 * graphlayout::kMargin;
}

} // namespace

CachedGraphData buildGraphData(const QList<Project>& projects, const QString& rootPath) {
    CachedGraphData data;
    data.isReady = true;
    if (projects.isEmpty()) return data;

    CachedGraphNode root;
    root.id = rootPath;
    root.name = pathpieces::lastComponent(rootPath);
    root.fullPath = rootPath;
    root.isDirectory = true;
    // Most projects add a node or two of their own; the lists grow past this only rarely.
    data.nodes.reserve(2 * projects.size() + 1);
    data.connections.reserve(2 * projects.size());
    data.nodes.insert(root);
    addProjectNodes(projects, rootPath, data);

    const QHash<QString, qint64> sizes = graphlayout::subtreeSizes(data.nodes, rootPath);
    graphlayout::placeAroundRoot(data.nodes, sizes, rootPath);
    resolveOverlaps(data.nodes);
    fitToCanvas(data);

    data.flatNodes = byDepth(data.nodes);
    return data;
}
