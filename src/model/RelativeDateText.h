#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Full-style relative text of `date` seen from `now` ("2 hours ago", "in 3 days"),
// in the largest calendar unit (year, month, week, day, hour, minute, second) whose
// count is not zero, formatted by ICU for `locale`. Instants outside the years 1 to 9999 count
// as the nearest end of that span; an invalid date or `now` gives an empty text.
QString relativeDateText(const QDateTime& date, const QDateTime& now, const QLocale& locale);
