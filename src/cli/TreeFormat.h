#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <iosfwd>

// The folder outline below `root`: one node a line, two spaces of indent per level. Folders show
// the number of projects beneath them in parentheses, projects their kind in brackets (and, when
// other projects lie inside them, that number too). Without projects, the root alone: "name (0)".
void writeProjectTree(const QList<Project>& projects, const QByteArray& root, std::ostream& out);
