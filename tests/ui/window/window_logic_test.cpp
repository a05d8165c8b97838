// The window's decisions and texts: screen choice, zoom arithmetic, folder text, dots,
// git state card, kind filter entries and the program's arguments.
#include "Appearance.h"
#include "CommandLine.h"
#include "GraphZoom.h"
#include "UiTestSupport.h"
#include "WindowLogic.h"

#include "support/TestFolders.h"

#include <QSignalSpy>
#include <QStandardItemModel>
#include <gtest/gtest.h>

using windowlogic::Screen;

TEST(ScreenChoice, ConditionsAreTestedInOrder)
{
    // No folder wins over everything, whatever the mode.
    for (auto mode : ViewMode::allCases) {
        EXPECT_EQ(windowlogic::chooseScreen(false, true, 0, 0, mode), Screen::Welcome);
        EXPECT_EQ(windowlogic::chooseScreen(false, false, 5, 5, mode), Screen::Welcome);
        // A running scan hides every mode and the empty states.
        EXPECT_EQ(windowlogic::chooseScreen(true, true, 5, 5, mode), Screen::Loading);
        EXPECT_EQ(windowlogic::chooseScreen(true, true, 0, 0, mode), Screen::Loading);
        // No projects comes before no results.
        EXPECT_EQ(windowlogic::chooseScreen(true, false, 0, 0, mode), Screen::NoProjects);
        EXPECT_EQ(windowlogic::chooseScreen(true, false, 3, 0, mode), Screen::NoResults);
    }
    EXPECT_EQ(windowlogic::chooseScreen(true, false, 3, 1, ViewMode::List), Screen::List);
    EXPECT_EQ(windowlogic::chooseScreen(true, false, 3, 1, ViewMode::Tree), Screen::Tree);
    EXPECT_EQ(windowlogic::chooseScreen(true, false, 3, 1, ViewMode::Graph), Screen::Graph);
    EXPECT_EQ(windowlogic::chooseScreen(true, false, 3, 1, ViewMode::Cards), Screen::Cards);

    WindowLogic logic;
    EXPECT_EQ(logic.screen(true, false, 3, 1, 99), int(Screen::Cards)) << "an unknown mode falls back to Cards";
    EXPECT_EQ(logic.screen(true, false, 3, 1, int(ViewMode::Graph)), int(WindowLogic::Graph));
}

TEST(ViewModes, OrderNamesAndSymbols)
{
    WindowLogic logic;
    const QVariantList modes = logic.viewModes();
    ASSERT_EQ(modes.size(), 4);
    const QStringList titles = {"List", "Tree", "Graph", "Cards"};
    const QStringList icons = {"list.bullet", "tree", "point.3.connected.trianglepath.dotted", "square.grid.2x2"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(modes[i].toMap().value("title").toString(), titles[i]);
        EXPECT_EQ(modes[i].toMap().value("icon").toString(), icons[i]);
        EXPECT_EQ(modes[i].toMap().value("mode").toInt(), i);
    }
}

TEST(GraphZoom, ZoomArithmeticAndTruncatingPercentage)
{
    GraphZoom zoom;
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.5);
    EXPECT_EQ(zoom.graphOffset(), QSizeF(0, 0));
    EXPECT_EQ(zoom.percentText(), "50%");

    zoom.zoomIn();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.65);
    EXPECT_EQ(zoom.percentText(), "65%");
    zoom.zoomIn();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.845);
    EXPECT_EQ(zoom.percentText(), "84%") << "truncated, not rounded";

    zoom.setGraphScale(2.5);
    zoom.zoomIn();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 3.0) << "capped at 3.0, not 3.25";
    zoom.zoomIn();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 3.0);
    EXPECT_EQ(zoom.percentText(), "300%");

    zoom.setGraphScale(0.12);
    zoom.zoomOut();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.1);
    zoom.zoomOut();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.1) << "stays at the floor";
    EXPECT_EQ(zoom.percentText(), "10%");

    // Just above the floor: 0.13 / 1.3 is 0.1 (or a hair off) and lands on the floor.
    zoom.setGraphScale(0.13);
    zoom.zoomOut();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.1);
    zoom.setGraphScale(0.2);
    zoom.zoomOut();
    EXPECT_NEAR(zoom.graphScale(), 0.2 / 1.3, 1e-12);
}

TEST(GraphZoom, ResetAndFitShowTheWholeDrawingClearOfThePanel)
{
    GraphZoom zoom;
    QSignalSpy scaleSpy(&zoom, &GraphZoom::graphScaleChanged);
    zoom.reset();
    EXPECT_EQ(scaleSpy.count(), 0) << "nothing to fit before the mindmap is laid out";
    zoom.setViewportSize(QSizeF(1000, 700));
    zoom.setCanvasSize(QSizeF(2400, 1400));
    zoom.setDrawingRect(QRectF(200, 200, 2000, 1000));
    zoom.setGraphScale(2.0);
    zoom.setGraphOffset(QSizeF(-4000, 2500));
    zoom.reset();
    // (1000 - 48) / 2000 and (700 - 48) / 1000: the width decides.
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.476);
    EXPECT_EQ(zoom.graphOffset(), QSizeF(-700, -350)) << "the drawing's centre on the viewport's";

    // A panel in the bottom-right corner: the room ends above it (rather than beside it).
    zoom.setCoveredRects({QRectF(700, 450, 300, 250), QRectF()});
    zoom.fit();
    EXPECT_DOUBLE_EQ(zoom.graphScale(), (450 - 48) / 1000.0);
    EXPECT_EQ(zoom.graphOffset(), QSizeF(-700, -350 - 125));
    const int changes = scaleSpy.count();
    zoom.fit();
    EXPECT_EQ(scaleSpy.count(), changes) << "no change, no signal";

    // The wheel keeps the point under the pointer: the drawing's centre, here.
    const QPointF centre = viewmath::canvasToViewport(QPointF(1200, 700), zoom.canvasSize(), zoom.graphScale(),
                                                      zoom.graphOffset());
    zoom.wheelAt(centre, 2);
    EXPECT_NEAR(zoom.graphScale(), (450 - 48) / 1000.0 * 1.21, 1e-12);
    const QPointF after = viewmath::canvasToViewport(QPointF(1200, 700), zoom.canvasSize(), zoom.graphScale(),
                                                     zoom.graphOffset());
    EXPECT_NEAR(after.x(), centre.x(), 1e-9);
    EXPECT_NEAR(after.y(), centre.y(), 1e-9);
}

TEST(GraphZoom, RejectsValuesThatWouldBreakTheView)
{
    GraphZoom zoom;
    zoom.setGraphScale(std::numeric_limits<double>::quiet_NaN());
    zoom.setGraphScale(std::numeric_limits<double>::infinity());
    zoom.setGraphScale(0);
    zoom.setGraphScale(-1);
    EXPECT_DOUBLE_EQ(zoom.graphScale(), 0.5);
    zoom.setGraphOffset(QSizeF(std::numeric_limits<double>::quiet_NaN(), 1));
    EXPECT_EQ(zoom.graphOffset(), QSizeF(0, 0));
    EXPECT_EQ(GraphZoom::percentText(1e300), "0%");
    EXPECT_EQ(GraphZoom::percentText(0.29), "28%") << "0.29 x 100 is 28.999... in binary";
}

TEST(FolderText, HomeBecomesTildeEverywhere)
{
    EXPECT_EQ(windowlogic::folderText("/Users/ann/code", "/Users/ann"), "~/code");
    EXPECT_EQ(windowlogic::folderText("", "/Users/ann"), "No folder selected");
    EXPECT_EQ(windowlogic::tildePath("/Users/ann/backup/Users/ann/x", "/Users/ann"), "~/backup~/x")
        << "a plain substring replacement, every occurrence";
    EXPECT_EQ(windowlogic::tildePath("/Users/ann/code", "/Users/ann/"), "~/code") << "trailing separator ignored";
    EXPECT_EQ(windowlogic::tildePath("/srv/code", "/Users/ann"), "/srv/code");
    EXPECT_EQ(windowlogic::tildePath("/srv/code", "/"), "/srv/code") << "a root home changes nothing";
    EXPECT_EQ(windowlogic::tildePath("/srv/code", ""), "/srv/code");
    // Plain substring: a sibling that shares the prefix is replaced as well.
    EXPECT_EQ(windowlogic::tildePath("/Users/anne", "/Users/ann"), "~e");
}

TEST(LoadingDots, CycleThroughThreeDotsAndBack)
{
    QString dots;
    QStringList seen;
    for (int tick = 0; tick < 8; ++tick) {
        dots = windowlogic::nextDots(dots);
        seen << dots;
    }
    EXPECT_EQ(seen, QStringList({".", "..", "...", "", ".", "..", "...", ""}));
    EXPECT_EQ(windowlogic::nextDots("....."), "");
}

TEST(GitStateCard, FourCombinations)
{
    auto check = [](bool changes, bool git, const char* value, const char* icon, const char* color) {
        const auto s = windowlogic::gitState(changes, git);
        EXPECT_EQ(s.value, value);
        EXPECT_EQ(s.icon, icon);
        EXPECT_EQ(s.color, color);
    };
    check(false, true, "Clean", "checkmark.circle", "green");
    check(false, false, "No Git", "checkmark.circle", "green");
    check(true, true, "Uncommitted", "exclamationmark.circle", "orange");
    check(true, false, "No Git", "exclamationmark.circle", "orange");
}

TEST(KindFilter, AllTypesFirstThenKindsWithCounts)
{
    const QVariantList counts = {
        QVariantMap{{"type", "Node.js"}, {"count", 3}, {"icon", "cube.box"}, {"color", "green"}},
        QVariantMap{{"type", "Swift"}, {"count", 1}, {"icon", "swift"}, {"color", "orange"}},
    };
    const QVariantList entries = windowlogic::kindFilterEntries(counts);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].toMap().value("text").toString(), "All Types");
    EXPECT_EQ(entries[0].toMap().value("type").toString(), "");
    EXPECT_EQ(entries[1].toMap().value("text").toString(), "Node.js (3)");
    EXPECT_EQ(entries[2].toMap().value("text").toString(), "Swift (1)");
    EXPECT_EQ(entries[2].toMap().value("icon").toString(), "swift");

    WindowLogic logic;
    EXPECT_EQ(logic.kindFilterIndex(counts, ""), 0);
    EXPECT_EQ(logic.kindFilterIndex(counts, "Swift"), 2);
    EXPECT_EQ(logic.kindFilterIndex(counts, "Python"), 0) << "a kind no longer present shows All Types";
    EXPECT_EQ(windowlogic::kindFilterEntries({}).size(), 1);
}

TEST(ProjectRows, FindRowsAndIdsByTheIdRole)
{
    QStandardItemModel model;
    model.setItemRoleNames({{Qt::UserRole + 1, "id"}, {Qt::UserRole + 2, "name"}});
    for (const char* id : {"a", "b", "c"}) {
        auto* item = new QStandardItem;
        item->setData(QString::fromLatin1(id), Qt::UserRole + 1);
        model.appendRow(item);
    }
    WindowLogic logic;
    EXPECT_EQ(logic.rowOfProject(&model, "b"), 1);
    EXPECT_EQ(logic.rowOfProject(&model, "zz"), -1);
    EXPECT_EQ(logic.rowOfProject(&model, ""), -1);
    EXPECT_EQ(logic.rowOfProject(nullptr, "a"), -1);
    EXPECT_EQ(logic.projectIdAt(&model, 2), "c");
    EXPECT_EQ(logic.projectIdAt(&model, 3), "");
    EXPECT_EQ(logic.projectIdAt(&model, -1), "");
}

TEST(CommandLine, FolderCaptureAndBadInput)
{
    testfolders::TempTree tree;
    const QByteArray root = tree.path();
    const QByteArray file = tree.write("notes.txt", "x");

    CommandLine none = CommandLine::parse({});
    EXPECT_TRUE(none.error.isEmpty());
    EXPECT_TRUE(none.folder.isEmpty());
    EXPECT_FALSE(none.captureMode());

    CommandLine folder = CommandLine::parse({root + "/./"});
    EXPECT_TRUE(folder.error.isEmpty());
    EXPECT_EQ(folder.folder, root);
    tree.mkdir("sub");
    EXPECT_EQ(CommandLine::parse({root + "//sub/../sub/"}).folder, root + "/sub");

    CommandLine capture = CommandLine::parse({"--screenshot", root + "/shots", root});
    EXPECT_TRUE(capture.captureMode());
    EXPECT_EQ(capture.screenshotDir, QString::fromUtf8(root + "/shots"));
    EXPECT_EQ(capture.folder, root);

    EXPECT_FALSE(CommandLine::parse({root + "/missing"}).error.isEmpty());
    EXPECT_TRUE(CommandLine::parse({file}).error.contains("not a folder"));
    EXPECT_FALSE(CommandLine::parse({"--screenshot"}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({"--bogus"}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({root, root}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({root, "--", root}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({""}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({"--help"}).error.size());
    EXPECT_TRUE(CommandLine::parse({"--help"}).help);

    // The capture size: 1280 x 820 unless given; only with --screenshot; from the minimum up.
    EXPECT_EQ(capture.captureSize, QSize(1280, 820));
    const CommandLine sized = CommandLine::parse({"--screenshot", root, "--size", "1000x700"});
    EXPECT_TRUE(sized.error.isEmpty()) << sized.error.toStdString();
    EXPECT_EQ(sized.captureSize, QSize(1000, 700));
    for (const char* bad : {"999x700", "1000x699", "1000", "x", "1000x700x2", "axb", "99999x700", "-1000x700"})
        EXPECT_FALSE(CommandLine::parse({"--screenshot", root, "--size", bad}).error.isEmpty()) << bad;
    EXPECT_FALSE(CommandLine::parse({"--screenshot", root, "--size"}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({"--size", "1000x700"}).error.isEmpty()) << "only with --screenshot";
}

TEST(CommandLine, FolderThatIsNotUtf8IsTakenByItsBytes)
{
    testfolders::TempTree tree;
    const QByteArray odd = tree.mkdir(QByteArray("caf\xE9-\xFF"));
    const CommandLine cl = CommandLine::parse({odd});
    EXPECT_TRUE(cl.error.isEmpty()) << cl.error.toStdString();
    EXPECT_EQ(cl.folder, odd);
    // A sibling that differs only in those bytes is another folder, and it does not exist.
    EXPECT_TRUE(CommandLine::parse({tree.path() + "/caf\xE9-\xFE"}).error.contains("no such folder"));
}

TEST(Appearance, OverrideWinsAndUnknownModesFollowTheDesktop)
{
    Appearance* a = Appearance::instance();
    ASSERT_TRUE(a);
    QSignalSpy changed(a, &Appearance::darkChanged);
    a->setOverrideMode("dark");
    EXPECT_TRUE(a->dark());
    EXPECT_EQ(a->overrideMode(), "dark");
    a->setOverrideMode(" Light ");
    EXPECT_FALSE(a->dark());
    EXPECT_EQ(a->overrideMode(), "light");
    EXPECT_GE(changed.count(), 1);
    a->setOverrideMode("purple");
    EXPECT_EQ(a->overrideMode(), "") << "anything but light or dark follows the desktop";
    a->setOverrideMode("light");
}
