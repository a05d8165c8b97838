#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// How recently a project changed, graded for the tree's activity dot and the dashboard's
// health ring, statistics and activity strip. Every function takes the current moment
// explicitly so that callers and tests agree on "now"; day counts use local time.
namespace health {

// Whole days elapsed from `lastModified` to `now`, counted the way a calendar adds days
// (a change late yesterday seen early today is 0 days old). Negative for future dates.
// Absent when `lastModified` is absent or invalid.
std::optional<qint64> daysSinceModified(const std::optional<QDateTime>& lastModified,
                                        const QDateTime& now);

// True when `lastModified` lies on today's calendar date.
bool isActiveToday(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// True when the date is unknown, or more than 30 whole days old.
bool isStale(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// Ring fill, 0 to 1: 0 unknown, 1 under two days, 0.75 up to a week, 0.5 up to 30 days, else 0.25.
double healthScore(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// Ring label: "?", "NOW", "3d", "2w", "1m".
QString healthLabel(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// Colour name of the tree's activity dot: gray, green, yellow, orange or red.
QString activityColorName(const std::optional<QDateTime>& lastModified, const QDateTime& now);
// What that colour says: "Changed in the last day", "... week", "... month", "No change for
// over a month" or "Last change unknown".
QString activityText(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// Fill of one cell (0 to 13) of the 14-day activity strip.
struct ActivityCell {
    QString color;  // colour name: "green" or "secondary"
    double opacity; // 0 to 1
};
ActivityCell activityCell(int index, const std::optional<QDateTime>& lastModified,
                          const QDateTime& now, const QString& seed);

// Opacity of a faint green cell: 0.1 to 0.3, always the same for the same seed and index,
// so redrawing the strip does not make it flicker.
double faintCellOpacity(const QString& seed, int index);

} // namespace health
