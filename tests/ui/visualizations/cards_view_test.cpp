#include "CardMetrics.h"
#include "VizTestSupport.h"
#include "state/ProjectsViewModel.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QFileInfo>

#include <QQuickItem>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

using namespace viztest;

namespace {

struct CardsFixture : ::testing::Test {
    Workspace disk;
    ViewHarness ui{1200, 900};
    QQuickItem* view = nullptr;

    void SetUp() override {
        disk.addProject("today", "today", "3.0.0", 0);
        disk.addProject("five", "five", {}, 5);
        disk.addProject("old", "old", {}, 61);
        disk.stampTimes();
        ASSERT_TRUE(ui.scan(disk.root()));
        view = ui.show("CardDashboardView");
        ASSERT_NE(view, nullptr);
        ui.render();
    }
    QQuickItem* card(const char* name) {
        for (QQuickItem* item : itemsWith(view, "name", QString::fromLatin1(name)))
            if (item->inherits("QQuickItem") && item->property("projectId").isValid()) return item;
        return nullptr;
    }
    QString projectId(const char* name) {
        for (const Project& p : ui.viewModel().projects())
            if (p.name == QLatin1String(name)) return p.id.toString(QUuid::WithoutBraces);
        return {};
    }
    QString statValue(const char* objectName) {
        return child(child(view, objectName), "value")->property("text").toString();
    }
    bool hasTrend(const char* objectName) { return child(child(view, objectName), "trend")->isVisible(); }
};

} // namespace

TEST_F(CardsFixture, StatisticsCountTheShownProjects) {
    EXPECT_EQ(statValue("statTotal"), QStringLiteral("3"));
    EXPECT_EQ(statValue("statUncommitted"), QStringLiteral("0"));
    EXPECT_FALSE(hasTrend("statUncommitted"));
    EXPECT_EQ(statValue("statActive"), QStringLiteral("1"));
    EXPECT_EQ(statValue("statStale"), QStringLiteral("1"));
    EXPECT_TRUE(hasTrend("statStale"));
    EXPECT_TRUE(itemWith(view, "text", "review needed"));
    EXPECT_FALSE(itemWith(view, "text", "needs attention"));

    // A search narrows the figures with the grid.
    ui.viewModel().setSearchText("five");
    ui.render();
    EXPECT_EQ(statValue("statTotal"), QStringLiteral("1"));
    EXPECT_EQ(statValue("statStale"), QStringLiteral("0"));
    EXPECT_FALSE(hasTrend("statStale"));
}

TEST_F(CardsFixture, HealthRingsGradeTheLastChange) {
    auto ring = [&](const char* name) { return child(card(name), "header"); };
    ASSERT_TRUE(card("today") && card("five") && card("old"));
    EXPECT_DOUBLE_EQ(ring("today")->property("healthScore").toDouble(), 1.0);
    EXPECT_EQ(ring("today")->property("healthLabel").toString(), QStringLiteral("NOW"));
    EXPECT_DOUBLE_EQ(ring("five")->property("healthScore").toDouble(), 0.75);
    EXPECT_EQ(ring("five")->property("healthLabel").toString(), QStringLiteral("5 d"));
    EXPECT_DOUBLE_EQ(ring("old")->property("healthScore").toDouble(), 0.25);
    EXPECT_EQ(ring("old")->property("healthLabel").toString(), QStringLiteral("2 mo"));
}

TEST_F(CardsFixture, ActivityCellsShowTheDayOfTheLastChange) {
    QQuickItem* bar = child(card("five"), "activityBar");
    ASSERT_NE(bar, nullptr);
    auto cellColor = [&](int index) {
        QColor colour;
        QMetaObject::invokeMethod(bar, "cellColor", Q_RETURN_ARG(QColor, colour), Q_ARG(int, index));
        return colour;
    };
    const QColor green = ui.themeColor("green");
    QList<QColor> colours;
    for (int i = 0; i < 14; ++i) colours << cellColor(i);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(colours[i].rgb(), green.rgb()) << i;
        EXPECT_GE(colours[i].alphaF(), 0.09f) << i;
        EXPECT_LE(colours[i].alphaF(), 0.31f) << i;
    }
    EXPECT_EQ(colours[5], green);
    for (int i = 6; i < 14; ++i) {
        EXPECT_EQ(colours[i].rgb(), ui.themeColor("secondary").rgb()) << i;
        EXPECT_NEAR(colours[i].alphaF(), 0.1, 0.01) << i;
    }
    // Hovering elsewhere and redrawing leaves the faint cells as they were.
    QTest::mouseMove(&ui.window(), QPoint(5, 5));
    ui.render();
    EXPECT_EQ(cellColor(2), colours[2]);
}

TEST_F(CardsFixture, TheSelectionOutlineFollowsTheSelectionWhereverItChanges) {
    ui.viewModel().selectProject(projectId("five"));
    ui.render();
    auto borderOf = [&](const char* name) {
        QObject* border = child(card(name), "selectionOutline")->property("border").value<QObject*>();
        return border->property("color").value<QColor>();
    };
    EXPECT_EQ(borderOf("five"), ui.themeColor("green"));
    EXPECT_EQ(borderOf("old").alpha(), 0);
    // Clicking another card moves it.
    click(card("old"));
    EXPECT_EQ(ui.viewModel().selectedProjectId(), projectId("old"));
    EXPECT_EQ(borderOf("old"), ui.themeColor("green"));
    EXPECT_EQ(borderOf("five").alpha(), 0);
}

// Items below and including `item`, visible or not.
static int itemCount(QQuickItem* item) {
    int count = 1;
    for (QQuickItem* below : item->childItems()) count += itemCount(below);
    return count;
}

TEST_F(CardsFixture, ACardIsMadeOfAFewItems) {
    QQuickItem* today = card("today");
    ASSERT_NE(today, nullptr);
    const int items = itemCount(today);
    std::printf("items per card: %d\n", items);
    EXPECT_LE(items, 29);
}

// A card at rest is drawn from one texture: it must look exactly as the card drawn shape by
// shape, and a hovered card, which lifts, is drawn shape by shape again.
TEST_F(CardsFixture, ARestingCardLooksAsDrawnShapeByShape) {
    QQuickItem* today = card("today");
    ASSERT_NE(today, nullptr);
    QQuickItem* face = child(today, "face");
    ASSERT_NE(face, nullptr);
    EXPECT_TRUE(face->property("cached").toBool());
    QTest::mouseMove(&ui.window(), QPoint(2, 2));
    QTest::mouseMove(&ui.window(), today->mapToScene(QPointF(today->width() / 2, 20)).toPoint());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !face->property("cached").toBool(); }, 20000));
    QTest::mouseMove(&ui.window(), QPoint(2, 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return face->property("cached").toBool(); }, 20000));

    const QRect box = today->mapRectToScene(QRectF(0, 0, today->width(), today->height())).toAlignedRect();
    const QImage cached = ui.window().grabWindow().copy(box).convertToFormat(QImage::Format_RGB32);
    face->setProperty("cached", false);
    const QImage direct = ui.window().grabWindow().copy(box).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(cached.size(), direct.size());
    int worst = 0;
    for (int y = 0; y < cached.height(); ++y) {
        for (int x = 0; x < cached.width(); ++x) {
            const QRgb a = cached.pixel(x, y), b = direct.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(worst, 4);
}

TEST_F(CardsFixture, CardsShowNameKindVersionAndNoGitRowWithoutGit) {
    QQuickItem* today = card("today");
    EXPECT_TRUE(child(today, "version")->isVisible());
    EXPECT_TRUE(itemWith(today, "text", "v3.0.0"));
    EXPECT_TRUE(itemWith(today, "text", "Node.js"));
    EXPECT_FALSE(child(today, "statusText")->isVisible());
    EXPECT_FALSE(child(today, "remoteUrl")->isVisible());
    EXPECT_FALSE(child(card("five"), "version")->isVisible());
}

TEST_F(CardsFixture, TheStaleFigureFiltersTheCardsAndClearsOnASecondClick) {
    click(child(view, "statStale"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.viewModel().filteredCount() == 1; }, 20000));
    EXPECT_EQ(ui.viewModel().property("statusFilter").toString(), QStringLiteral("stale"));
    EXPECT_EQ(ui.viewModel().filteredProjects().first().name, QStringLiteral("old"));
    ui.render();
    EXPECT_EQ(statValue("statTotal"), QStringLiteral("1"));
    // Tree and Graph dim by the same match state.
    EXPECT_TRUE(ui.viewModel().matchesFilters(projectId("old")));
    EXPECT_FALSE(ui.viewModel().matchesFilters(projectId("five")));
    click(child(view, "statStale"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.viewModel().filteredCount() == 3; }, 20000));
    EXPECT_TRUE(ui.viewModel().property("statusFilter").toString().isEmpty());
}

// Cards of a row share the row's height, which is that of its tallest card; rows follow each
// other 20 apart, so a row of cards without git rows is shorter and leaves no gap.
TEST(CardsGridTest, RowsTakeTheirTallestCardsHeightWithoutGaps) {
    Workspace disk;
    QList<QByteArray> folders;
    for (const char* name : {"p1", "p2", "p3", "p4", "p5", "p6"}) folders << disk.addProject(name, name);
    testfolders::initRepository(folders[0], QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8());
    testfolders::git(folders[0], QStringList{"remote", "add", "origin", "git@example.com:team/p1.git"});

    ViewHarness ui(1200, 900); // three columns
    ASSERT_TRUE(ui.scan(disk.root()));
    QQuickItem* view = ui.show("CardDashboardView");
    ui.render();
    QList<QRectF> boxes;
    for (const char* name : {"p1", "p2", "p3", "p4", "p5", "p6"}) {
        QQuickItem* found = nullptr;
        for (QQuickItem* item : itemsWith(view, "name", QString::fromLatin1(name)))
            if (item->property("projectId").isValid() && item->isVisible()) found = item;
        ASSERT_NE(found, nullptr) << name;
        EXPECT_LE(found->implicitHeight(), found->height() + 0.5) << name;
        boxes << QRectF(found->mapToItem(view, QPointF(0, 0)), found->size());
    }
    for (int i : {1, 2}) {
        EXPECT_DOUBLE_EQ(boxes[i].top(), boxes[0].top());
        EXPECT_DOUBLE_EQ(boxes[i].height(), boxes[0].height());
        EXPECT_DOUBLE_EQ(boxes[3 + i].top(), boxes[3].top());
        EXPECT_DOUBLE_EQ(boxes[3 + i].height(), boxes[3].height());
    }
    EXPECT_LT(boxes[3].height() + 20, boxes[0].height());
    EXPECT_NEAR(boxes[3].top() - boxes[0].bottom(), 20, 0.5);
}

TEST(CardsTipTest, TheCardsTooltipShowsTheElidedTextUnderThePointer) {
    Workspace disk;
    const QByteArray longName = "a-project-whose-name-is-far-too-long-to-fit-on-one-card-of-the-dashboard";
    disk.addProject("long", longName, "1.0.0");
    ViewHarness ui(1200, 900);
    ASSERT_TRUE(ui.scan(disk.root()));
    QQuickItem* view = ui.show("CardDashboardView");
    ui.render();
    QQuickItem* card = nullptr;
    for (QQuickItem* item : itemsWith(view, "name", QString::fromLatin1(longName)))
        if (item->property("projectId").isValid()) card = item;
    ASSERT_NE(card, nullptr);
    QQuickItem* name = child(card, "name");
    ASSERT_NE(name->property("text").toString(), QString::fromLatin1(longName)) << "the name is shortened";
    // Over the elided name: its full text; over the kind line, which fits: nothing.
    QTest::mouseMove(&ui.window(), QPoint(2, 2));
    QTest::mouseMove(&ui.window(), name->mapToScene(QPointF(20, name->height() / 2)).toPoint());
    EXPECT_TRUE(QTest::qWaitFor([&] { return card->property("tip").toString() == QString::fromLatin1(longName); }, 20000))
        << card->property("isHovered").toBool() << " " << card->property("tip").toString().toStdString();
    QTest::mouseMove(&ui.window(), name->mapToScene(QPointF(20, name->height() + 8)).toPoint());
    EXPECT_TRUE(QTest::qWaitFor([&] { return card->property("tip").toString().isEmpty(); }, 20000));
}

TEST(CardsGitTest, GitProjectsShowBranchStatusAndFirstRemote) {
    Workspace disk;
    const QByteArray clean = disk.addProject("clean", "clean");
    const QByteArray dirty = disk.addProject("dirty", "dirty");
    for (const QByteArray& folder : {clean, dirty}) {
        testfolders::initRepository(folder, QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8());
        testfolders::git(folder, QStringList{"remote", "add", "origin", "git@example.com:team/" + QFileInfo(QFile::decodeName(folder)).fileName() + ".git"});
    }
    QFile extra(QFile::decodeName(dirty + "/new.txt"));
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.close();

    ViewHarness ui(1200, 900);
    ASSERT_TRUE(ui.scan(disk.root()));
    QQuickItem* view = ui.show("CardDashboardView");
    ui.render();
    auto cardNamed = [&](const char* name) {
        for (QQuickItem* item : itemsWith(view, "name", QString::fromLatin1(name)))
            if (item->property("projectId").isValid()) return item;
        return static_cast<QQuickItem*>(nullptr);
    };
    QQuickItem* c = cardNamed("clean");
    QQuickItem* d = cardNamed("dirty");
    ASSERT_TRUE(c && d);
    EXPECT_TRUE(child(c, "statusText")->isVisible());
    // Both have a remote but no upstream: the clean one needs attention all the same.
    EXPECT_EQ(child(c, "statusText")->property("text").toString(), QStringLiteral("No local changes"));
    EXPECT_EQ(child(c, "attentionLine")->property("text").toString(), QStringLiteral("Needs attention: no upstream"));
    EXPECT_EQ(child(d, "statusText")->property("text").toString(), QStringLiteral("1 untracked"));
    EXPECT_EQ(child(d, "remoteUrl")->property("text").toString(), QStringLiteral("git@example.com:team/dirty.git"));
    EXPECT_TRUE(itemWith(view, "text", "needs attention"));
    EXPECT_EQ(child(child(view, "statUncommitted"), "value")->property("text").toString(), QStringLiteral("1"));
    EXPECT_EQ(child(child(view, "statActive"), "value")->property("text").toString(), QStringLiteral("2"));
}
