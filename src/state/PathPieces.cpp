#include "state/PathPieces.h"

namespace pathpieces {

QList<QStringView> below(const QString& path, const QString& root) {
    if (!path.startsWith(root)) return {};
    const bool atBoundary = root.endsWith(QLatin1Char('/')) || path.size() == root.size() ||
                            path.at(root.size()) == QLatin1Char('/');
    if (!atBoundary) return {};
    return QStringView(path).mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString lastComponent(const QString& root) {
    qsizetype end = root.size();
    while (end > 0 && root.at(end - 1) == QLatin1Char('/')) --end;
    if (end == 0) return root.isEmpty() ? QString() : QStringLiteral("/");
    const qsizetype start = root.lastIndexOf(QLatin1Char('/'), end - 1) + 1;
    return root.mid(start, end - start);
}

} // namespace pathpieces
