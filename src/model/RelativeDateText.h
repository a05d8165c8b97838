#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Full-style relative text of `date` seen from `now` ("2 hours ago", "in 3 days"),
// in the largest calendar unit (year, month, week, day, hour, minute, second) whose
// count is not zero, formatted by ICU for `locale`. Instants outside the years 1 to 9999 count
// as the nearest end of that span; an invalid date or `now` gives an empty text.
QString relativeDateText(const QDateTime& date, const QDateTime& now, const QLocale& locale);

// The same age in the same unit, short, for small badges: "NOW" under a day (and for a future
// date), then "3 d", "2 wk", "11 mo", "3 yr"; empty for an invalid date or `now`.
QString shortAgeText(const QDateTime& date, const QDateTime& now);
