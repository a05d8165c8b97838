#include "model/DateRange.h"
#include "model/Project.h"
#include "model/RelativeDateText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QDateTime kYearOne(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
const QDateTime kLastInstant(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TEST(DateRange, EndsAreTheFirstAndLastInstantsOfFourDigitYears) {
    EXPECT_EQ(kYearOne.toMSecsSinceEpoch(), daterange::kFirstMSecs);
    EXPECT_EQ(kLastInstant.toMSecsSinceEpoch(), daterange::kLastMSecs);
    EXPECT_TRUE(daterange::contains(kYearOne));
    EXPECT_TRUE(daterange::contains(kLastInstant));
    EXPECT_FALSE(daterange::contains(kYearOne.addMSecs(-1)));
    EXPECT_FALSE(daterange::contains(kLastInstant.addMSecs(1)));
    EXPECT_FALSE(daterange::contains(QDateTime()));
}

TEST(DateRange, SecondsFromTheFileSystemOutsideTheSpanAreRejectedWithoutOverflow) {
    // 9.3e15 s is a modification time tmpfs stores; times 1000 it no longer fits in 64 bits.
    EXPECT_FALSE(daterange::fromSecsAndNanos(9'300'000'000'000'000LL, 0));
    EXPECT_FALSE(daterange::fromSecsAndNanos(std::numeric_limits<qint64>::max(), 999'999'999));
    EXPECT_FALSE(daterange::fromSecsAndNanos(std::numeric_limits<qint64>::min(), 0));
    EXPECT_FALSE(daterange::fromSecsAndNanos(253402300800LL, 0)); // year 10000
    EXPECT_FALSE(daterange::fromSecsAndNanos(-62135596801LL, 999'999'999));
    EXPECT_FALSE(daterange::fromSecsAndNanos(0, -1));
    EXPECT_FALSE(daterange::fromSecsAndNanos(0, 1'000'000'000));

    EXPECT_EQ(daterange::fromSecsAndNanos(253402300799LL, 999'999'999), kLastInstant);
    EXPECT_EQ(daterange::fromSecsAndNanos(-62135596800LL, 0), kYearOne);
    EXPECT_EQ(daterange::fromSecsAndNanos(1'700'000'000, 250'000'000),
              QDateTime::fromMSecsSinceEpoch(1'700'000'000'250LL, Qt::UTC));
    // Before the epoch the nanoseconds still count forwards from the whole second.
    EXPECT_EQ(daterange::fromSecsAndNanos(-1, 500'000'000), QDateTime::fromMSecsSinceEpoch(-500, Qt::UTC));
}

TEST(DateRange, ClampingMovesFarInstantsToTheNearestEnd) {
    const QDateTime farFuture = QDateTime::fromMSecsSinceEpoch(8'000'000'000'000'000'000LL, Qt::UTC);
    const QDateTime farPast = QDateTime::fromMSecsSinceEpoch(-8'000'000'000'000'000'000LL, Qt::UTC);
    EXPECT_EQ(daterange::clamped(farFuture), kLastInstant);
    EXPECT_EQ(daterange::clamped(farPast), kYearOne);
    const QDateTime inside(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(daterange::clamped(inside), inside);
    EXPECT_FALSE(daterange::clamped(QDateTime()).isValid());
}

TEST(RelativeDateTextLimits, EndsOfTheSpanGiveYearCounts) {
    const QDateTime now(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(relativeDateText(kYearOne, now, kEnglish), QStringLiteral("2,025 years ago"));
    EXPECT_EQ(relativeDateText(kLastInstant, now, kEnglish), QStringLiteral("in 7,973 years"));
    EXPECT_EQ(relativeDateText(now, kYearOne, kEnglish), QStringLiteral("in 2,025 years"));
    EXPECT_EQ(relativeDateText(kYearOne, kLastInstant, kEnglish), QStringLiteral("9,998 years ago"));
}

TEST(RelativeDateTextLimits, FarFutureAndInvalidDatesNeitherOverflowNorInventWeeks) {
    const QDateTime now(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    // About 8e15 s from now: more than 250 million years, whose month count overflows an int.
    const QDateTime farFuture = QDateTime::fromMSecsSinceEpoch(8'000'000'000'000'000'000LL, Qt::UTC);
    EXPECT_EQ(relativeDateText(farFuture, now, kEnglish), QStringLiteral("in 7,973 years"));
    const QDateTime farPast = QDateTime::fromMSecsSinceEpoch(-8'000'000'000'000'000'000LL, Qt::UTC);
    EXPECT_EQ(relativeDateText(farPast, now, kEnglish), QStringLiteral("2,025 years ago"));
    EXPECT_EQ(relativeDateText(farFuture, farPast, kEnglish), QStringLiteral("in 9,998 years"));

    // An invalid instant (what a NaN count of seconds must become) has no relative text.
    EXPECT_EQ(relativeDateText(QDateTime(), now, kEnglish), QString());
    EXPECT_EQ(relativeDateText(now, QDateTime(), kEnglish), QString());
}

TEST(RelativeDateTextLimits, AProjectDateOutsideTheSpanReadsUnknown) {
    const QDateTime now(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    Project p;
    p.lastModified = QDateTime::fromMSecsSinceEpoch(8'000'000'000'000'000'000LL, Qt::UTC);
    EXPECT_EQ(p.lastModifiedText(now, kEnglish), QStringLiteral("Unknown"));
    p.lastModified = QDateTime();
    EXPECT_EQ(p.lastModifiedText(now, kEnglish), QStringLiteral("Unknown"));
    p.lastModified = kLastInstant;
    EXPECT_EQ(p.lastModifiedText(now, kEnglish), QStringLiteral("in 7,973 years"));
}

} // namespace
