#pragma once

#include "model/Project.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

// The orders the List and the Cards can show the projects in. `name` is the scan's own order
// (by name, case-insensitive in the user's locale); the others reorder it stably, so projects
// that tie keep that order.
enum class ProjectSort {
    name,       // the scan's order
    attention,  // projects that need attention first, those with the most reasons first
    lastCommit, // the newest change first; unknown dates last
    kind,       // by kind, in the kinds' declaration order
    path,       // by folder path, code unit by code unit
};

inline constexpr std::array<ProjectSort, 5> allProjectSorts = {ProjectSort::name, ProjectSort::attention,
                                                               ProjectSort::lastCommit, ProjectSort::kind,
                                                               ProjectSort::path};

// "name", "attention", "lastCommit", "kind", "path".
QString projectSortKey(ProjectSort sort);
std::optional<ProjectSort> projectSortFromKey(const QString& key);
// What the sort menu says: "Name", "Needs attention first", "Last commit", "Kind", "Path".
QString projectSortTitle(ProjectSort sort);

// Reorders `rows` (positions in `projects`, in the scan's order) into `sort`.
void sortRows(QList<qsizetype>& rows, const QList<Project>& projects, ProjectSort sort);

// A project inside another repository's work tree (a monorepo's package, a repository's example).
inline bool isInsideRepository(const Project& project) { return !project.hasGit && project.repository.has_value(); }
