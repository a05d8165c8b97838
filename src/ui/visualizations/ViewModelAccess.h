#pragma once

#include "state/GraphData.h"
#include "state/TreeData.h"

#include <QObject>
#include <functional>

// The visualizations' view of the ProjectsViewModel that QML hands them as a plain object.
namespace vmaccess {

// The outline / mindmap of the view model, or an empty, not-ready value for any other object.
CachedTreeData treeData(QObject* viewModel);
CachedGraphData graphData(QObject* viewModel);

// Calls `handler` (in `context`) whenever the view model's outline / mindmap is replaced.
void onTreeDataChanged(QObject* viewModel, QObject* context, std::function<void()> handler);
void onGraphDataChanged(QObject* viewModel, QObject* context, std::function<void()> handler);

} // namespace vmaccess
