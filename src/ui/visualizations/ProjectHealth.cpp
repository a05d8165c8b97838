#include "ProjectHealth.h"

#include "model/RelativeDateText.h"

#include <QCryptographicHash>
#include <QtEndian>

namespace health {

double healthScore(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    if (!lastModified) return 0.0;
    const auto days = daysSinceModified(lastModified, now);
    if (!days || *days < 2) return 1.0;
    if (*days <= 7) return 0.75;
    if (*days <= 30) return 0.5;
    return 0.25;
}

QString healthLabel(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    if (!lastModified || !lastModified->isValid()) return QStringLiteral("?");
    return shortAgeText(*lastModified, now);
}

QString activityColorName(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    if (!lastModified) return QStringLiteral("gray");
    const auto days = daysSinceModified(lastModified, now);
    if (!days || *days <= 1) return QStringLiteral("green");
    if (*days <= 7) return QStringLiteral("yellow");
    if (*days <= 30) return QStringLiteral("orange");
    return QStringLiteral("red");
}

QString activityText(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    const QString color = activityColorName(lastModified, now);
    if (color == QLatin1String("green")) return QStringLiteral("Changed in the last day");
    if (color == QLatin1String("yellow")) return QStringLiteral("Changed in the last week");
    if (color == QLatin1String("orange")) return QStringLiteral("Changed in the last month");
    if (color == QLatin1String("red")) return QStringLiteral("No change for over a month");
    return QStringLiteral("Last change unknown");
}

double faintCellOpacity(const QString& seed, int index) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(seed.toUtf8());
    const char cell = static_cast<char>(index);
    hash.addData(QByteArrayView(&cell, 1));
    const QByteArray digest = hash.result();
    const quint32 bits = qFromBigEndian<quint32>(digest.constData());
    // Uniform over 0.1 .. 0.3 inclusive.
    return 0.1 + 0.2 * (static_cast<double>(bits) / 4294967295.0);
}

ActivityCell activityCell(int index, const std::optional<QDateTime>& lastModified,
                          const QDateTime& now, const QString& seed) {
    if (!lastModified) return {QStringLiteral("secondary"), 0.1};
    const qint64 days = daysSinceModified(lastModified, now).value_or(0);
    if (index == days) return {QStringLiteral("green"), 1.0};
    if (index < days) return {QStringLiteral("green"), faintCellOpacity(seed, index)};
    return {QStringLiteral("secondary"), 0.1};
}

} // namespace health
