#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <iosfwd>
#include <optional>

// Writers of a scan result; `root` is the scanned folder.
using ProjectFormatter = void (*)(const QList<Project>& projects, const QByteArray& root, std::ostream& out);

// Aligned columns: name, kind, version, branch, changes, last change, path.
void writeProjectTable(const QList<Project>& projects, const QByteArray& root, std::ostream& out);
// The same for a terminal `terminalColumns` wide: the path column is elided in the middle so
// that each line fits. Without a width (a pipe or a file) nothing is shortened.
void writeFittedProjectTable(const QList<Project>& projects, const QByteArray& root, std::ostream& out,
                       std::optional<int> terminalColumns);
// An array of objects, one per project in scan order.
void writeProjectJson(const QList<Project>& projects, const QByteArray& root, std::ostream& out);

// JSON text helpers shared by the JSON writers.
std::string jsonQuoted(const QString& text);
std::string jsonOptional(const std::optional<QString>& text);
