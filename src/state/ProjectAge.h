#pragma once

#include <QDateTime>
#include <optional>

// How old a project's last change is, in whole calendar days, and the two grades the
// application filters and counts by: changed today, and stale. Every function takes the current
// moment explicitly so that callers and tests agree on "now"; day counts use local time.
namespace projectage {

// Whole days elapsed from `lastModified` to `now`, counted the way a calendar adds days
// (a change late yesterday seen early today is 0 days old). Negative for future dates.
// Absent when `lastModified` is absent or invalid.
std::optional<qint64> daysSinceModified(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// True when `lastModified` lies on today's calendar date.
bool isActiveToday(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// True when the date is unknown, or more than 30 whole days old. The dashboard's "Stale (30d+)"
// count and the "stale" state filter both use this.
bool isStale(const std::optional<QDateTime>& lastModified, const QDateTime& now);

} // namespace projectage
