#include "state/ProjectAge.h"

namespace projectage {

std::optional<qint64> daysSinceModified(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    if (!lastModified || !lastModified->isValid() || !now.isValid()) return std::nullopt;
    const QDateTime from = lastModified->toLocalTime();
    const QDateTime to = now.toLocalTime();
    // Start from the difference of the calendar dates, then step back while adding that many
    // days to `from` overshoots `to` (days are added on the wall clock, so DST is respected).
    qint64 days = from.date().daysTo(to.date());
    if (days > 0) {
        while (days > 0 && from.addDays(days) > to) --days;
    } else if (days < 0) {
        while (days < 0 && from.addDays(days) < to) ++days;
    }
    return days;
}

bool isActiveToday(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    if (!lastModified || !lastModified->isValid()) return false;
    return lastModified->toLocalTime().date() == now.toLocalTime().date();
}

bool isStale(const std::optional<QDateTime>& lastModified, const QDateTime& now) {
    if (!lastModified) return true;
    const auto days = daysSinceModified(lastModified, now);
    return days && *days >= 31;
}

} // namespace projectage
