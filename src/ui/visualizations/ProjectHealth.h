#pragma once

#include "state/ProjectAge.h"

#include <QDateTime>
#include <QString>
#include <optional>

// How recently a project changed, graded for the tree's activity dot and the dashboard's
// health ring, statistics and activity strip. Every function takes the current moment
// explicitly so that callers and tests agree on "now"; day counts use local time.
namespace health {

// The day count and the two grades shared with the engine's filters (one definition each).
using projectage::daysSinceModified;
using projectage::isActiveToday;
using projectage::isStale;

// Ring fill, 0 to 1: 0 unknown, 1 under two days, 0.75 up to a week, 0.5 up to 30 days, else 0.25.
double healthScore(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// Ring label: "?" when unknown, else the age in the unit of the relative text: "NOW", "3 d",
// "2 wk", "11 mo", "3 yr".
QString healthLabel(const std::optional<QDateTime>& lastModified, const QDateTime& now);

// The tree's activity dot, in neutral tones (red means attention, not age): green for a change
// in the last day, else gray; filled up to a month, a ring when older or unknown.
QString activityColorName(const std::optional<QDateTime>& lastModified, const QDateTime& now);
bool activityHollow(const std::optional<QDateTime>& lastModified, const QDateTime& now);
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
