#include "model/RelativeDateText.h"

#include "model/DateRange.h"

#include <unicode/locid.h>
#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

#include <memory>

namespace {

struct UnitCount {
    URelativeDateTimeUnit unit;
    qint64 count;
};

// Whole calendar months from `from` to `to` (from <= to), in local time.
qint64 wholeMonths(const QDateTime& from, const QDateTime& to) {
    qint64 months = (qint64(to.date().year()) - from.date().year()) * 12 + (to.date().month() - from.date().month());
    if (months > 0 && from.addMonths(int(months)) > to) --months;
    return months;
}

UnitCount largestUnit(const QDateTime& earlier, const QDateTime& later) {
    const qint64 months = wholeMonths(earlier, later);
    if (months >= 12) return {UDAT_REL_UNIT_YEAR, months / 12};
    if (months > 0) return {UDAT_REL_UNIT_MONTH, months};
    const qint64 seconds = earlier.secsTo(later);
    const qint64 days = earlier.daysTo(later) - (earlier.addDays(earlier.daysTo(later)) > later ? 1 : 0);
    if (days >= 7) return {UDAT_REL_UNIT_WEEK, days / 7};
    if (days > 0) return {UDAT_REL_UNIT_DAY, days};
    if (seconds >= 3600) return {UDAT_REL_UNIT_HOUR, seconds / 3600};
    if (seconds >= 60) return {UDAT_REL_UNIT_MINUTE, seconds / 60};
    return {UDAT_REL_UNIT_SECOND, seconds};
}

// Both ends within four-digit years keep every count below small bounds.
QDateTime localClamped(const QDateTime& t) { return daterange::clamped(t).toLocalTime(); }

} // namespace

QString shortAgeText(const QDateTime& date, const QDateTime& now) {
    if (!date.isValid() || !now.isValid()) return QString();
    const QDateTime a = localClamped(date), b = localClamped(now);
    if (a > b) return QStringLiteral("NOW");
    const UnitCount uc = largestUnit(a, b);
    const char* unit = nullptr;
    switch (uc.unit) {
    case UDAT_REL_UNIT_YEAR: unit = "yr"; break;
    case UDAT_REL_UNIT_MONTH: unit = "mo"; break;
    case UDAT_REL_UNIT_WEEK: unit = "wk"; break;
    case UDAT_REL_UNIT_DAY: unit = "d"; break;
    default: return QStringLiteral("NOW");
    }
    return QStringLiteral("%1 %2").arg(uc.count).arg(QLatin1String(unit));
}

QString relativeDateText(const QDateTime& date, const QDateTime& now, const QLocale& locale) {
    if (!date.isValid() || !now.isValid()) return QString();
    const QDateTime a = localClamped(date), b = localClamped(now);
    const bool future = a > b;
    const UnitCount uc = future ? largestUnit(b, a) : largestUnit(a, b);

    UErrorCode status = U_ZERO_ERROR;
    // The C locale has no plural rules in ICU ("1 minutes ago"); it reads as US English.
    const QByteArray name = locale.language() == QLocale::C ? QByteArray("en_US") : locale.name().toUtf8();
    const icu::Locale icuLocale(name.constData());
    icu::RelativeDateTimeFormatter formatter(icuLocale, nullptr, UDAT_STYLE_LONG,
                                             UDISPCTX_CAPITALIZATION_NONE, status);
    if (U_FAILURE(status)) return QString();
    icu::UnicodeString out;
    const double offset = future ? double(uc.count) : -double(uc.count);
    formatter.formatNumeric(offset, uc.unit, out, status);
    if (U_FAILURE(status)) return QString();
    return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
}
