#include "OutlineFolding.h"

namespace outlinefold {

qsizetype subtreeEnd(const QList<Line>& lines, qsizetype index) {
    qsizetype end = index + 1;
    while (end < lines.size() && lines.at(end).depth > lines.at(index).depth) ++end;
    return end;
}

QList<qsizetype> shownLines(const QList<Line>& lines, const QSet<QString>& folded) {
    QList<qsizetype> shown;
    shown.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size();) {
        shown.append(i);
        i = folded.contains(lines.at(i).id) ? subtreeEnd(lines, i) : i + 1;
    }
    return shown;
}

QList<qsizetype> ancestors(const QList<Line>& lines, qsizetype index) {
    QList<qsizetype> chain;
    if (index < 0 || index >= lines.size()) return chain;
    qint64 depth = lines.at(index).depth;
    for (qsizetype i = index - 1; i >= 0 && depth > 0; --i) {
        if (lines.at(i).depth < depth) {
            chain.prepend(i);
            depth = lines.at(i).depth;
        }
    }
    return chain;
}

} // namespace outlinefold
