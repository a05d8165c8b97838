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

namespace {

// 0: the last day, 1: the last week, 2: the last month, 3: older, -1: unknown.
int ageGrade(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    if (!lastModified) return -1;
    const auto days = daysSinceModified(lastModified, now);
    if (!days || *days <= 1) return 0;
    if (*days <= 7) return 1;
    if (*days <= 30) return 2;
    return 3;
}

} // namespace

QString activityColorName(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    return ageGrade(lastModified, now) == 0 ? QStringLiteral("green") : QStringLiteral("gray");
}

bool activityHollow(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    const int grade = ageGrade(lastModified, now);
    return grade < 0 || grade == 3;
}

QString activityText(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    switch (ageGrade(lastModified, now)) {
    case 0: return QStringLiteral("Changed in the last day");
    case 1: return QStringLiteral("Changed in the last week");
    case 2: return QStringLiteral("Changed in the last month");
    case 3: return QStringLiteral("No change for over a month");
    default: return QStringLiteral("Last change unknown");
    }
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
