#pragma once

#include <QString>
#include <vector>

// The columns of the project table and how a table of them is made to fit a terminal's width.
enum class TableColumn { name, kind, version, branch, sync, changes, lastChange, attention, path };

// The column's heading: "NAME", "LAST CHANGE", ...
QString columnTitle(TableColumn column);

// Columns between two cells.
inline constexpr int kColumnGap = 2;

// The width each of `columns` gets so that a line of them, `kColumnGap` apart, takes at most
// `limit` display columns; `natural` is each column's widest cell. 0 drops a column, less than
// its natural width shortens its cells. Until the line fits, the table drops LAST CHANGE, then
// VERSION; shortens PATH, down to `kPathFloor`; drops KIND, BRANCH and CHANGES in turn; then
// narrows the widest column one step at a time, down to one column each; and at last keeps NAME
// alone.
std::vector<int> fitColumns(const std::vector<TableColumn>& columns, const std::vector<int>& natural, int limit);

// PATH keeps this many columns before more columns are dropped (room for "…/code/express").
inline constexpr int kPathFloor = 16;
