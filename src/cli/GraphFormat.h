#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <iosfwd>
#include <string>

// The mindmap below `root` as JSON: {"width", "height", "nodes", "connections"}. Nodes come in
// drawing order (by depth) with id, name, depth, isDirectory, x, y, childIDs and project (the
// project's path or null); connections with fromPath, toPath and color (a colour name).
void writeProjectGraph(const QList<Project>& projects, const QByteArray& root, std::ostream& out);

// The shortest decimal text that reads back as the same double; null when not finite.
std::string jsonNumber(double value);
