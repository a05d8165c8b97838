#pragma once

#include "model/Project.h"
#include "state/GraphNode.h"
#include "state/GraphNodeMap.h"

#include <QList>
#include <QString>

// The mindmap as the view model keeps it: nodes with final canvas positions, the lines
// between them and the canvas size.
struct CachedGraphData {
    // Every node keyed by fullPath, in creation order.
    GraphNodeMap nodes;
    // The same nodes sorted by depth (shallow first: the drawing order); equal depths keep
    // creation order.
    QList<CachedGraphNode> flatNodes;
    // One per node other than the root, in creation order.
    QList<CachedGraphConnection> connections;
    double width = 800;
    double height = 600;
    // True for every built value; false only for the initial value.
    bool isReady = false;

    friend bool operator==(const CachedGraphData&, const CachedGraphData&) = default;
};

// Builds the mindmap of `projects` (in the given order) below the folder `rootPath` (the
// folder's path text as decodeUtf8KeepingBytes gives it, like every node's path): radial layout around the root, overlaps pushed apart, the drawing moved
// to start 200 points from the canvas's top-left corner. With no projects: no nodes, 800 x 600.
// Every project inside the root folder has exactly one node: a project at the root itself is
// the root's, and a folder node at a project's path (made on the way to an earlier project)
// becomes that project's node.
CachedGraphData buildGraphData(const QList<Project>& projects, const QString& rootPath);
