#pragma once

#include "model/Project.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// One node of the folder outline: the root folder, a folder on the way to a project, or a
// project. Identified by its path: id == fullPath.
struct CachedTreeNode {
    QString id;
    // One path component; for the root, the last component of the root folder's path.
    QString name;
    // The parent's fullPath, "/" and name; the root's is the root folder's path.
    QString fullPath;
    qint64 depth = 0;
    bool isProject = false;
    // Present exactly when isProject is true.
    std::optional<Project> project;
    // Sorted by name: locale-aware, case-insensitive; equal names keep path order.
    QList<CachedTreeNode> children;

    // Field by field, children included (defined out of line: the type is recursive).
    friend bool operator==(const CachedTreeNode& a, const CachedTreeNode& b);
};

// The outline as the view model keeps it.
struct CachedTreeData {
    // Empty, or exactly one node: the root folder.
    QList<CachedTreeNode> nodes;
    // False until the first build has been stored.
    bool isReady = false;

    friend bool operator==(const CachedTreeData&, const CachedTreeData&) = default;
};

// Builds the outline of `projects` below the folder `rootPath` (the folder's path text as
// decodeUtf8KeepingBytes gives it, no trailing "/" for an ordinary folder; node paths are formed
// the same way, so bytes that are not UTF-8 keep nodes apart). Returns an empty list when there are no projects, else
// exactly the root node. Projects outside the root folder are left out; a project at the root
// itself is the root node's project.
// Children are sorted with the default locale's collation.
QList<CachedTreeNode> buildTreeData(const QList<Project>& projects, const QString& rootPath);
// The same with an explicit collation locale.
QList<CachedTreeNode> buildTreeData(const QList<Project>& projects, const QString& rootPath,
                                    const QLocale& locale);
