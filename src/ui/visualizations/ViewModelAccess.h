#pragma once

#include "state/GraphData.h"
#include "state/TreeData.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

// The visualizations' view of the ProjectsViewModel that QML hands them as a plain object.
namespace vmaccess {

// The outline / mindmap of the view model, or an empty, not-ready value for any other object.
CachedTreeData treeData(QObject* viewModel);
CachedGraphData graphData(QObject* viewModel);

// Calls `handler` (in `context`) whenever the view model's outline / mindmap is replaced.
void onTreeDataChanged(QObject* viewModel, QObject* context, std::function<void()> handler);
void onGraphDataChanged(QObject* viewModel, QObject* context, std::function<void()> handler);

// Calls `handler` (in `context`) with the project's path text whenever the record of one project
// was replaced in the outline and mindmap (which are otherwise unchanged).
void onProjectUpdated(QObject* viewModel, QObject* context, std::function<void(const QString&)> handler);
// The view model's record of the project whose path text (as node paths form it) is `path`.
std::optional<Project> projectAtPath(QObject* viewModel, const QString& path);

// Whether a search text or a kind filter narrows the view model's list.
bool filterActive(QObject* viewModel);
// The path texts of the projects that pass the current search and kind filter.
QSet<QString> matchingPaths(QObject* viewModel);
// Calls `handler` (in `context`) whenever the filtered list changes.
void onFilterChanged(QObject* viewModel, QObject* context, std::function<void()> handler);
// The path text of the selected project, or "" when nothing is selected.
QString selectedProjectPath(QObject* viewModel);
void onSelectionChanged(QObject* viewModel, QObject* context, std::function<void()> handler);
// The id of the view model's current record for the project at `path` (the record may have
// been replaced by a refresh since a view took its copy), or "" when there is none.
QString currentProjectId(QObject* viewModel, const QString& path);

} // namespace vmaccess
