#include "cli/TableWriter.h"

#include "cli/TerminalText.h"

#include <algorithm>
#include <ostream>

namespace {

// A path that does not fit keeps its end, from a folder boundary when one is left.
QString shortenedPath(const QString& path, int columns) {
    const QString tail = terminaltext::elidedStart(path, columns);
    if (tail == path || tail.size() < 2 || tail.at(1) == QLatin1Char('/')) return tail;
    const qsizetype slash = tail.indexOf(QLatin1Char('/'), 2);
    return slash > 0 && slash + 1 < tail.size() ? tail.left(1) + tail.mid(slash) : tail;
}

QString shortened(TableColumn column, const QString& text, int columns) {
    switch (column) {
    case TableColumn::path: return shortenedPath(text, columns);
    case TableColumn::name: return terminaltext::elidedMiddle(text, columns);
    default: return terminaltext::elidedEnd(text, columns);
    }
}

} // namespace

void writeTable(const std::vector<TableColumn>& columns, const std::vector<QList<TableCell>>& rows,
                std::optional<int> width, bool color, std::ostream& out, bool withHeading) {
    // Text from the scanned folders never reaches the terminal raw.
    std::vector<QList<TableCell>> lines;
    lines.reserve(rows.size() + 1);
    QList<TableCell> heading;
    for (const TableColumn column : columns) heading.append({columnTitle(column)});
    lines.push_back(heading);
    for (const QList<TableCell>& row : rows) {
        QList<TableCell> scrubbed = row;
        for (TableCell& cell : scrubbed) cell.text = terminaltext::scrubbed(cell.text);
        lines.push_back(scrubbed);
    }
    std::vector<int> natural(columns.size(), 0);
    for (const QList<TableCell>& line : lines) {
        for (size_t c = 0; c < columns.size() && c < size_t(line.size()); ++c)
            natural[c] = std::max(natural[c], terminaltext::displayWidth(line[qsizetype(c)].text));
    }
    const std::vector<int> room = width ? fitColumns(columns, natural, *width) : natural;
    size_t last = 0;
    for (size_t c = 0; c < room.size(); ++c) {
        if (room[c] > 0) last = c;
    }

    for (size_t l = withHeading ? 0 : 1; l < lines.size(); ++l) {
        const QList<TableCell>& line = lines[l];
        std::string text;
        for (size_t c = 0; c <= last && c < size_t(line.size()); ++c) {
            if (room[c] <= 0) continue;
            const TableCell& cell = line[qsizetype(c)];
            const QString shown = room[c] < natural[c] ? shortened(columns[c], cell.text, room[c]) : cell.text;
            const bool tinted = color && *cell.color;
            if (tinted) text += cell.color;
            text += shown.toStdString();
            if (tinted) text += "\033[0m";
            // The padding comes after the colour ends.
            if (c < last) text += std::string(size_t(room[c] + kColumnGap - terminaltext::displayWidth(shown)), ' ');
        }
        out << text << "\n";
    }
}
