#include "NameElide.h"

#include <QFontMetricsF>

namespace nameelide {

bool isScopedName(const QString& name)
{
    return name.startsWith(QLatin1Char('@')) && name.indexOf(QLatin1Char('/')) > 1;
}

QString elideName(const QString& name, const QFont& font, double width)
{
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(name) <= width) return name;
    if (!isScopedName(name)) return metrics.elidedText(name, Qt::ElideRight, width);
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    const QString rest = name.mid(slash);
    // The scope keeps at least its "@" and one character before the ellipsis.
    const double scopeRoom = width - metrics.horizontalAdvance(rest);
    const QString shortest = name.left(2) + QChar(0x2026);
    if (scopeRoom >= metrics.horizontalAdvance(shortest)) {
        const QString scope = metrics.elidedText(name.left(slash), Qt::ElideRight, scopeRoom);
        if (scope.size() >= 2) return scope + rest;
    }
    return metrics.elidedText(name, Qt::ElideMiddle, width);
}

} // namespace nameelide
