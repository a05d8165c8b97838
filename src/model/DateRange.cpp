#include "model/DateRange.h"

#include <optional>

namespace daterange {

bool contains(const QDateTime& instant) {
    if (!instant.isValid()) return false;
    const qint64 ms = instant.toMSecsSinceEpoch();
    return ms >= kFirstMSecs && ms <= kLastMSecs;
}

std::optional<QDateTime> fromSecsAndNanos(qint64 seconds, qint64 nanoseconds) {
    // Compare in seconds first: multiplying an out-of-span count by 1000 could overflow.
    if (seconds < kFirstMSecs / 1000 - 1 || seconds > kLastMSecs / 1000 + 1) return std::nullopt;
    if (nanoseconds < 0 || nanoseconds >= 1'000'000'000) return std::nullopt;
    const qint64 ms = seconds * 1000 + nanoseconds / 1'000'000;
    if (ms < kFirstMSecs || ms > kLastMSecs) return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

QDateTime clamped(const QDateTime& instant) {
    if (!instant.isValid()) return instant;
    const qint64 ms = instant.toMSecsSinceEpoch();
    if (ms < kFirstMSecs) return QDateTime::fromMSecsSinceEpoch(kFirstMSecs, Qt::UTC);
    if (ms > kLastMSecs) return QDateTime::fromMSecsSinceEpoch(kLastMSecs, Qt::UTC);
    return instant;
}

} // namespace daterange
