#include "ProjectHealth.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using health::activityCell;
using health::activityColorName;
using health::daysSinceModified;
using health::healthLabel;
using health::healthScore;
using health::isActiveToday;
using health::isStale;

namespace {

// A fixed "now": mid-morning on a spring day, local time.
const QDateTime kNow(QDate(2026, 5, 20), QTime(9, 30));

std::optional<QDateTime> daysAgo(int days) { return kNow.addDays(-days); }

struct Grade {
    int days;
    double score;
    const char* label;
    const char* dot;
    bool stale;
};

} // namespace

TEST(ProjectHealthTest, GradesFollowTheDayTable) {
    const Grade table[] = {
        // The label's unit is the relative text's ("1 month ago" at 30 days in May).
        // The age dot is neutral: green for the last day, gray after, a ring ("o") past a month.
        {0, 1.0, "NOW", "green", false},     {1, 1.0, "1 d", "green", false},
        {2, 0.75, "2 d", "gray", false},     {7, 0.75, "1 wk", "gray", false},
        {8, 0.5, "1 wk", "gray", false},     {14, 0.5, "2 wk", "gray", false},
        {20, 0.5, "2 wk", "gray", false},    {30, 0.5, "1 mo", "gray", false},
        {31, 0.25, "1 mo", "gray o", true},  {59, 0.25, "1 mo", "gray o", true},
        {61, 0.25, "2 mo", "gray o", true},  {340, 0.25, "11 mo", "gray o", true},
        {1100, 0.25, "3 yr", "gray o", true},
    };
    for (const Grade& g : table) {
        SCOPED_TRACE(g.days);
        EXPECT_EQ(daysSinceModified(daysAgo(g.days), kNow), g.days);
        EXPECT_DOUBLE_EQ(healthScore(daysAgo(g.days), kNow), g.score);
        EXPECT_EQ(healthLabel(daysAgo(g.days), kNow), QString::fromLatin1(g.label));
        EXPECT_EQ(activityColorName(daysAgo(g.days), kNow) +
                      (health::activityHollow(daysAgo(g.days), kNow) ? QStringLiteral(" o") : QString()),
                  QString::fromLatin1(g.dot));
        EXPECT_EQ(isStale(daysAgo(g.days), kNow), g.stale);
    }
}

TEST(ProjectHealthTest, TheActivityDotExplainsItsColour) {
    const std::pair<int, const char*> table[] = {{0, "Changed in the last day"},
                                                 {5, "Changed in the last week"},
                                                 {20, "Changed in the last month"},
                                                 {45, "No change for over a month"}};
    for (const auto& [days, text] : table) EXPECT_EQ(health::activityText(daysAgo(days), kNow), QString::fromLatin1(text));
    EXPECT_EQ(health::activityText(std::nullopt, kNow), QStringLiteral("Last change unknown"));
}

TEST(ProjectHealthTest, AbsentDateIsUnknownAndStale) {
    const std::optional<QDateTime> none;
    EXPECT_FALSE(daysSinceModified(none, kNow).has_value());
    EXPECT_DOUBLE_EQ(healthScore(none, kNow), 0.0);
    EXPECT_EQ(healthLabel(none, kNow), QStringLiteral("?"));
    EXPECT_EQ(activityColorName(none, kNow), QStringLiteral("gray"));
    EXPECT_TRUE(isStale(none, kNow));
    EXPECT_FALSE(isActiveToday(none, kNow));
}

TEST(ProjectHealthTest, FutureDatesCountNegativeAndGradeAsFresh) {
    EXPECT_EQ(daysSinceModified(kNow.addDays(3), kNow), -3);
    EXPECT_EQ(healthLabel(kNow.addDays(3), kNow), QStringLiteral("NOW"));
    EXPECT_DOUBLE_EQ(healthScore(kNow.addDays(3), kNow), 1.0);
    EXPECT_EQ(activityColorName(kNow.addDays(3), kNow), QStringLiteral("green"));
    EXPECT_FALSE(isStale(kNow.addDays(3), kNow));
    // Less than a whole day ahead is still day 0.
    EXPECT_EQ(daysSinceModified(kNow.addSecs(5 * 3600), kNow), 0);
    EXPECT_EQ(healthLabel(kNow.addSecs(5 * 3600), kNow), QStringLiteral("NOW"));
}

TEST(ProjectHealthTest, DaysAreWholeElapsedDaysNotDateDifferences) {
    const QDateTime earlyToday(QDate(2026, 5, 20), QTime(7, 0));
    const QDateTime lateYesterday(QDate(2026, 5, 19), QTime(23, 0));
    // Eight hours ago, but yesterday: 0 whole days, yet not "today".
    EXPECT_EQ(daysSinceModified(lateYesterday, earlyToday), 0);
    EXPECT_EQ(healthLabel(lateYesterday, earlyToday), QStringLiteral("NOW"));
    EXPECT_FALSE(isActiveToday(lateYesterday, earlyToday));
    EXPECT_EQ(activityCell(0, lateYesterday, earlyToday, "p").opacity, 1.0);

    const QDateTime justAfterMidnight(QDate(2026, 5, 20), QTime(0, 1));
    EXPECT_TRUE(isActiveToday(justAfterMidnight, earlyToday));
    // One day minus a minute is still 0 days; one day exactly is 1.
    EXPECT_EQ(daysSinceModified(kNow.addSecs(-86340), kNow), 0);
    EXPECT_EQ(daysSinceModified(kNow.addDays(-1), kNow), 1);
}

TEST(ProjectHealthTest, DayCountsFollowTheWallClockAcrossDaylightSavingChanges) {
    const QTimeZone berlin("Europe/Berlin");
    if (QTimeZone::systemTimeZoneId() != berlin.id()) GTEST_SKIP() << "needs TZ=Europe/Berlin";
    // 2026-03-29 has 23 hours in Berlin: noon to noon across it is one calendar day.
    const QDateTime before(QDate(2026, 3, 28), QTime(12, 0));
    const QDateTime after(QDate(2026, 3, 29), QTime(12, 0));
    EXPECT_EQ(before.secsTo(after), 23 * 3600);
    EXPECT_EQ(daysSinceModified(before, after), 1);
}

TEST(ProjectHealthTest, DatesInOtherZonesAreCountedInLocalTime) {
    const QDateTime utc = kNow.toUTC().addDays(-2);
    EXPECT_EQ(daysSinceModified(utc, kNow), 2);
    EXPECT_TRUE(isActiveToday(kNow.toUTC(), kNow));
}

TEST(ProjectHealthTest, ActivityStripOfAProjectChangedToday) {
    const auto cell0 = activityCell(0, kNow, kNow, "x");
    EXPECT_EQ(cell0.color, QStringLiteral("green"));
    EXPECT_DOUBLE_EQ(cell0.opacity, 1.0);
    for (int i = 1; i < 14; ++i) {
        const auto cell = activityCell(i, kNow, kNow, "x");
        EXPECT_EQ(cell.color, QStringLiteral("secondary")) << i;
        EXPECT_DOUBLE_EQ(cell.opacity, 0.1) << i;
    }
}

TEST(ProjectHealthTest, ActivityStripOfAProjectChangedFiveDaysAgo) {
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(i);
        const auto cell = activityCell(i, daysAgo(5), kNow, "/work/app");
        if (i < 5) {
            EXPECT_EQ(cell.color, QStringLiteral("green"));
            EXPECT_GE(cell.opacity, 0.1);
            EXPECT_LE(cell.opacity, 0.3);
        } else if (i == 5) {
            EXPECT_EQ(cell.color, QStringLiteral("green"));
            EXPECT_DOUBLE_EQ(cell.opacity, 1.0);
        } else {
            EXPECT_EQ(cell.color, QStringLiteral("secondary"));
            EXPECT_DOUBLE_EQ(cell.opacity, 0.1);
        }
    }
}

TEST(ProjectHealthTest, ActivityStripOfOldAndUnknownProjects) {
    for (int i = 0; i < 14; ++i) {
        const auto old = activityCell(i, daysAgo(14), kNow, "/a");
        EXPECT_EQ(old.color, QStringLiteral("green")) << i;
        EXPECT_LE(old.opacity, 0.3) << i;
        const auto unknown = activityCell(i, std::nullopt, kNow, "/a");
        EXPECT_EQ(unknown.color, QStringLiteral("secondary")) << i;
        EXPECT_DOUBLE_EQ(unknown.opacity, 0.1) << i;
    }
}

TEST(ProjectHealthTest, FaintCellsAreStableButVaried) {
    QSet<double> seen;
    for (int i = 0; i < 14; ++i) {
        const double a = health::faintCellOpacity("/home/me/dev/app", i);
        EXPECT_DOUBLE_EQ(a, health::faintCellOpacity("/home/me/dev/app", i));
        EXPECT_GE(a, 0.1);
        EXPECT_LE(a, 0.3);
        seen.insert(a);
    }
    // Not one constant: the strip shows texture.
    EXPECT_GT(seen.size(), 10);
    EXPECT_NE(health::faintCellOpacity("/a", 3), health::faintCellOpacity("/b", 3));
}
