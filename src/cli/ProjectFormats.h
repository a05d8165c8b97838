#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <iosfwd>

// Writers of a scan result; `root` is the scanned folder.
using ProjectFormatter = void (*)(const QList<Project>& projects, const QByteArray& root, std::ostream& out);

// Aligned columns: name, kind, version, branch, changes, last change, path.
void writeProjectTable(const QList<Project>& projects, const QByteArray& root, std::ostream& out);
// An array of objects, one per project in scan order.
void writeProjectJson(const QList<Project>& projects, const QByteArray& root, std::ostream& out);

// JSON text helpers shared by the JSON writers.
std::string jsonQuoted(const QString& text);
std::string jsonOptional(const std::optional<QString>& text);
