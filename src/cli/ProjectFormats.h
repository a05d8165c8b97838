#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <iosfwd>
#include <optional>

// Writers of a scan result; `root` is the scanned folder.
using ProjectFormatter = void (*)(const QList<Project>& projects, const QByteArray& root, std::ostream& out);

struct TableOptions {
    bool color = false;   // ANSI colours for branch, sync state and changes
    bool reasons = false; // an ATTENTION column with each project's reasons
    // The width of the terminal the table goes to: columns are dropped and shortened so that
    // each line fits (see writeTable). Without a width (a pipe or a file) nothing is shortened.
    std::optional<int> terminalColumns;
    bool heading = true; // the line of column titles first
};

// Aligned columns: name, kind, version, branch, sync, changes, last change, path.
void writeProjectTable(const QList<Project>& projects, const QByteArray& root, std::ostream& out);
void writeProjectTable(const QList<Project>& projects, std::ostream& out, const TableOptions& options);
// An array of objects, one per project in scan order.
void writeProjectJson(const QList<Project>& projects, const QByteArray& root, std::ostream& out);
// One project's object of that array, on one line.
std::string projectJson(const Project& project);

// JSON text helpers shared by the JSON writers.
std::string jsonQuoted(const QString& text);
std::string jsonOptional(const std::optional<QString>& text);
