#pragma once

#include "cli/TableFit.h"

#include <QList>
#include <QString>
#include <iosfwd>
#include <optional>
#include <vector>

// One cell of a table row: its text as read (controls are written out when printed) and the ANSI
// colour it is shown in, "" for none.
struct TableCell {
    QString text;
    const char* color = "";
};

// Writes the heading line and `rows` (one cell per column) in aligned columns, measured in
// terminal display columns. With `width` (a terminal's), the columns are fitted to it as
// fitColumns says: PATH is shortened from the left and starts at a folder when it can
// ("…/code/express"), NAME loses its middle, other cells their end; no line is wider. Without a
// width nothing is cut. Colours only when `color`; the heading line only when `heading`.
void writeTable(const std::vector<TableColumn>& columns, const std::vector<QList<TableCell>>& rows,
                std::optional<int> width, bool color, std::ostream& out, bool heading = true);
