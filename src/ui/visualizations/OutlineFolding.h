#pragma once

#include <QList>
#include <QSet>
#include <QString>

// Which lines of a flattened outline show while some of its nodes are folded. The outline is a
// list of lines in display order, each a node followed by its descendants (deeper lines); a
// folded node keeps its own line and hides every line of its subtree.
namespace outlinefold {

struct Line {
    QString id;
    qint64 depth = 0;
};

// The index after the last line of the subtree of line `index`.
qsizetype subtreeEnd(const QList<Line>& lines, qsizetype index);
// The indices of the lines shown, ascending.
QList<qsizetype> shownLines(const QList<Line>& lines, const QSet<QString>& folded);
// The lines whose subtrees hold line `index`, nearest last.
QList<qsizetype> ancestors(const QList<Line>& lines, qsizetype index);

} // namespace outlinefold
