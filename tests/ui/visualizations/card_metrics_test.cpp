#include "CardGridModel.h"
#include "CardMetrics.h"
#include "CardPainting.h"
#include "SoftShadows.h"

#include <QSignalSpy>
#include <QStandardItemModel>
#include <gtest/gtest.h>

namespace {

// A project list model with the two roles the statistics read.
class ProjectRows : public QStandardItemModel {
public:
    enum { ChangesRole = Qt::UserRole + 1, DateRole };
    ProjectRows() { setItemRoleNames({{ChangesRole, "hasUncommittedChanges"}, {DateRole, "lastModified"}}); }
    void add(bool changes, const QVariant& date) {
        auto* item = new QStandardItem;
        item->setData(changes, ChangesRole);
        item->setData(date, DateRole);
        appendRow(item);
    }
};

const QDateTime kNow = QDateTime::currentDateTime();

} // namespace

TEST(DashboardStatsTest, CountsTheFourFigures) {
    ProjectRows rows;
    rows.add(true, kNow);                              // active, uncommitted
    rows.add(false, kNow.addDays(-3));                 // neither
    rows.add(true, kNow.addDays(-31));                 // stale, uncommitted
    rows.add(false, QVariant::fromValue(nullptr));     // unknown date: stale
    rows.add(false, kNow.addDays(-30));                // 30 days: not stale yet
    DashboardStats stats;
    stats.setModel(&rows);
    stats.recount(kNow);
    EXPECT_EQ(stats.total(), 5);
    EXPECT_EQ(stats.uncommitted(), 2);
    EXPECT_EQ(stats.activeToday(), 1);
    EXPECT_EQ(stats.stale(), 2);
}

TEST(DashboardStatsTest, FollowsTheModel) {
    ProjectRows rows;
    DashboardStats stats;
    stats.setModel(&rows);
    EXPECT_EQ(stats.total(), 0);
    QSignalSpy changed(&stats, &DashboardStats::changed);
    rows.add(true, kNow);
    EXPECT_EQ(stats.total(), 1);
    EXPECT_EQ(stats.uncommitted(), 1);
    rows.item(0)->setData(false, ProjectRows::ChangesRole);
    EXPECT_EQ(stats.uncommitted(), 0);
    rows.removeRow(0);
    EXPECT_EQ(stats.total(), 0);
    EXPECT_GE(changed.count(), 3);
}

TEST(CardMetricsTest, ReadsDatesAsTheProjectListGivesThem) {
    CardMetrics metrics;
    EXPECT_DOUBLE_EQ(metrics.healthScore(QVariant::fromValue(nullptr)), 0.0);
    EXPECT_EQ(metrics.healthLabel(QVariant()), QStringLiteral("?"));
    EXPECT_EQ(metrics.healthLabel(kNow.addDays(-14)), QStringLiteral("2 wk"));
    EXPECT_DOUBLE_EQ(metrics.healthScore(kNow.addDays(-2)), 0.75);
}

TEST(CardGridModelTest, LaysTheListOutInRowsWithFillersAfterTheLastProject) {
    ProjectRows rows;
    for (int i = 0; i < 5; ++i) rows.add(i == 3, kNow.addDays(-i));
    CardGridModel grid;
    grid.setColumns(2);
    grid.setSource(&rows);
    const int changes = grid.roleNames().key("hasUncommittedChanges");
    const int filler = grid.roleNames().key("filler");
    ASSERT_EQ(grid.rowCount(), 3);
    ASSERT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.sourceRow(1, 1), 3);
    EXPECT_TRUE(grid.data(grid.index(1, 1), changes).toBool());
    EXPECT_FALSE(grid.data(grid.index(1, 1), filler).toBool());
    // The rest of the last row: fillers with empty values of the roles' types.
    EXPECT_EQ(grid.sourceRow(2, 1), -1);
    EXPECT_TRUE(grid.data(grid.index(2, 1), filler).toBool());
    const QVariant empty = grid.data(grid.index(2, 1), changes);
    EXPECT_EQ(empty.metaType(), QMetaType::fromType<bool>());
    EXPECT_FALSE(empty.toBool());

    // A change of one project is a change of its cell alone.
    QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
    rows.item(2)->setData(true, ProjectRows::ChangesRole);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), grid.index(1, 0));
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), grid.index(1, 0));

    // More columns, or fewer projects, lay the grid out anew.
    grid.setColumns(3);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.sourceRow(1, 1), 4);
    rows.removeRows(0, 3);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.sourceRow(0, 2), -1);
    grid.setColumns(0);
    EXPECT_EQ(grid.columns(), 1);
}

TEST(CardHeaderBandTest, StripesStartEveryThirtyPoints) {
    EXPECT_EQ(CardHeaderBand::stripeStarts(100), (QList<double>{0, 30, 60, 90}));
    EXPECT_EQ(CardHeaderBand::stripeStarts(90), (QList<double>{0, 30, 60}));
    EXPECT_TRUE(CardHeaderBand::stripeStarts(0).isEmpty());
    EXPECT_TRUE(CardHeaderBand::stripeStarts(-5).isEmpty());
}

TEST(SoftShadowTest, NinePatchIsOpaqueInsideAndFadesOutside) {
    const QImage image = Shadows::render(16, 8, QColor(0, 0, 0, 255));
    const int pad = static_cast<int>(Shadows::blurExtent(8));
    ASSERT_EQ(image.width(), 2 * pad + 34);
    ASSERT_EQ(image.height(), image.width());
    const int centre = image.width() / 2;
    EXPECT_GT(qAlpha(image.pixel(centre, centre)), 200);
    EXPECT_LT(qAlpha(image.pixel(0, centre)), 10);
    // Alpha falls off monotonically from the shape's edge outwards.
    int previous = 256;
    for (int x = pad + 2; x >= 0; --x) {
        const int a = qAlpha(image.pixel(x, centre));
        EXPECT_LE(a, previous) << x;
        previous = a;
    }
    // The colour's own opacity scales the shadow.
    const QImage faint = Shadows::render(16, 8, QColor(0, 0, 0, 20));
    EXPECT_LE(qAlpha(faint.pixel(centre, centre)), 21);
}

TEST(CardGridTest, ColumnsOfAtLeast280TwentyApartCardsAtMost350) {
    CardMetrics metrics;
    EXPECT_EQ(metrics.gridColumns(279), 1);
    EXPECT_EQ(metrics.gridColumns(580), 2);   // 2 x 280 + 20
    EXPECT_EQ(metrics.gridColumns(579), 1);
    EXPECT_EQ(metrics.gridColumns(1232), 4);  // 1280 window minus the margins
    EXPECT_EQ(metrics.gridColumns(0), 1);
    EXPECT_EQ(metrics.gridColumns(-50), 1);
    EXPECT_DOUBLE_EQ(metrics.gridCellWidth(580), 300);
    EXPECT_DOUBLE_EQ(metrics.gridCardWidth(580), 280);
    // One wide column: the card stops at 350.
    EXPECT_DOUBLE_EQ(metrics.gridCardWidth(560), 350);
    for (double available = 100; available < 3000; available += 13) {
        const int columns = metrics.gridColumns(available);
        const double card = metrics.gridCardWidth(available);
        EXPECT_LE(columns * card + (columns - 1) * 20, available + 1e-9) << available;
        if (columns > 1) {
            EXPECT_GE(card, 280) << available;
        }
        EXPECT_LE(card, 350);
    }
}
