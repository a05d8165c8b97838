#pragma once

#include <QDateTime>
#include <QtGlobal>
#include <optional>

// The span of instants the application keeps and shows: 0001-01-01T00:00:00Z to
// 9999-12-31T23:59:59.999Z, the years that ISO 8601 text writes with four digits. Time stamps
// read from the file system or from git outside it are treated as unobtainable, so that no
// arithmetic on them (months between two dates, seconds to milliseconds) can overflow.
namespace daterange {

// Milliseconds since the Unix epoch of the first and last supported instants.
inline constexpr qint64 kFirstMSecs = -62135596800000LL;
inline constexpr qint64 kLastMSecs = 253402300799999LL;

// True for a valid instant within the supported span.
bool contains(const QDateTime& instant);

// The instant `seconds` + `nanoseconds` after the epoch, or none outside the span.
std::optional<QDateTime> fromSecsAndNanos(qint64 seconds, qint64 nanoseconds);

// The instant moved into the span (the first or last supported instant); an invalid one stays
// invalid.
QDateTime clamped(const QDateTime& instant);

} // namespace daterange
