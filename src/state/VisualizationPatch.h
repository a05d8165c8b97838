#pragma once

#include "model/Project.h"
#include "state/GraphData.h"
#include "state/TreeData.h"

#include <QString>

// Puts a fresh record of a project in place of the old one in the built outline and mindmap,
// where a node at the project's path carries a project. Nothing moves: the structure only
// changes when projects come or go, and then both are built again.
namespace vispatch {

// `pathText` is the project's path as the builders form node paths (decodeUtf8KeepingBytes).
// Returns whether a node took the record.
bool replaceRecord(CachedTreeData& tree, const QString& pathText, const Project& record);
// The node in `nodes` and its copy in `flatNodes` take the record; the connection to it takes
// the colour of the record's kind.
bool replaceRecord(CachedGraphData& graph, const QString& pathText, const Project& record);

} // namespace vispatch
