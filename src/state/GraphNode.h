#pragma once

#include "model/Project.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>

// One node of the mindmap. Identified by its path: id == fullPath == its key in the node map.
struct CachedGraphNode {
    QString id;
    // One path component; for the root, the last component of the root folder's path.
    QString name;
    // The parent's fullPath, "/" and name; the root's is the root folder's path.
    QString fullPath;
    // True for the root and for nodes created as intermediate folders.
    bool isDirectory = true;
    // The project record of a project node.
    std::optional<Project> project;
    qint64 depth = 0;
    // The children's fullPaths, in the order the children were created.
    QStringList childIDs;
    // The node's centre on the canvas, in points; y grows downward.
    QPointF position;

    friend bool operator==(const CachedGraphNode&, const CachedGraphNode&) = default;
};

// The line from a node to its parent.
struct CachedGraphConnection {
    QString fromPath;
    QString toPath;
    // Colour name ("green", "secondary", ...); the theme maps names to colours.
    QString color;

    friend bool operator==(const CachedGraphConnection&, const CachedGraphConnection&) = default;
};
