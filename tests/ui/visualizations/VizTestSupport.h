#pragma once

#include "model/Project.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Project records made up for the visualization tests.
namespace viztest {

// A project at `path` of kind `type`, with a fresh id and the folder's name as its name.
Project project(const QString& path, ProjectType type = ProjectType::nodeJS);

// `count` projects spread over nested folders below `root`, as a scan of a large workspace
// would find them (groups of folders, some projects inside other projects).
QList<Project> workspace(const QString& root, int count, const QDateTime& now);

} // namespace viztest
