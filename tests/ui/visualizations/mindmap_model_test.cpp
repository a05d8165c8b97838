#include "ConnectionsCanvas.h"
#include "MindmapModel.h"
#include "VizTestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow = QDateTime::currentDateTime();

struct Sample {
    Project shop = viztest::project("/r/web/shop");
    Project blog = viztest::project("/r/web/blog", ProjectType::python);
    Project cli = viztest::project("/r/tools/cli", ProjectType::swift);
    CachedGraphData graph = buildGraphData({blog, cli, shop}, "/r");
};

QStringList rowPaths(const MindmapModel& model) {
    QStringList paths;
    for (int i = 0; i < model.count(); ++i)
        paths << model.data(model.index(i), MindmapModel::NodeIdRole).toString();
    return paths;
}

QRectF everything(const CachedGraphData& g) { return QRectF(0, 0, g.width, g.height); }

} // namespace

TEST(MindmapModelTest, TappingAProjectSelectsItAndHighlightsItsLine) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    model.setVisibleRect(everything(s.graph));
    QSignalSpy changed(&model, &MindmapModel::highlightChanged);

    EXPECT_EQ(model.tapNode("/r/web/shop"), s.shop.id.toString(QUuid::WithoutBraces));
    EXPECT_EQ(model.highlightedNodeId(), QStringLiteral("/r/web/shop"));
    EXPECT_EQ(model.highlightedPaths(), (QSet<QString>{"/r", "/r/web", "/r/web/shop"}));
    EXPECT_TRUE(model.isDimmed("/r/web/blog"));
    EXPECT_TRUE(model.isDimmed("/r/tools"));
    EXPECT_FALSE(model.isDimmed("/r/web"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_FALSE(changed.at(0).at(0).toBool());

    // The rows report the flags as QML reads them.
    const int blogRow = static_cast<int>(rowPaths(model).indexOf("/r/web/blog"));
    ASSERT_GE(blogRow, 0);
    EXPECT_TRUE(model.data(model.index(blogRow), MindmapModel::DimmedRole).toBool());
    EXPECT_FALSE(model.data(model.index(blogRow), MindmapModel::HighlightedRole).toBool());
}

TEST(MindmapModelTest, ASecondTapTogglesTheHighlightOffButStillSelects) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    model.tapNode("/r/web/shop");
    QSignalSpy changed(&model, &MindmapModel::highlightChanged);
    EXPECT_EQ(model.tapNode("/r/web/shop"), s.shop.id.toString(QUuid::WithoutBraces));
    EXPECT_FALSE(model.hasHighlight());
    EXPECT_TRUE(model.highlightedNodeId().isEmpty());
    EXPECT_FALSE(model.isDimmed("/r/tools"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_TRUE(changed.at(0).at(0).toBool());
}

TEST(MindmapModelTest, FolderTapsHighlightDescendantsAndSelectNothing) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    EXPECT_TRUE(model.tapNode("/r/web").isEmpty());
    EXPECT_EQ(model.highlightedPaths(), (QSet<QString>{"/r", "/r/web", "/r/web/shop", "/r/web/blog"}));
    // Another node replaces the line from scratch.
    EXPECT_TRUE(model.tapNode("/r/tools").isEmpty());
    EXPECT_EQ(model.highlightedPaths(), (QSet<QString>{"/r", "/r/tools", "/r/tools/cli"}));
    EXPECT_EQ(model.previousHighlightedPaths(), (QSet<QString>{"/r", "/r/web", "/r/web/shop", "/r/web/blog"}));
}

TEST(MindmapModelTest, BackgroundTapClearsAndIsQuietWhenNothingIsHighlighted) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    QSignalSpy changed(&model, &MindmapModel::highlightChanged);
    model.tapBackground();
    EXPECT_EQ(changed.count(), 0);
    model.tapNode("/r/web");
    model.tapBackground();
    EXPECT_FALSE(model.hasHighlight());
    EXPECT_EQ(changed.count(), 2);
}

TEST(MindmapModelTest, ARescanKeepsTheHighlightAndStalePathsDimEverythingElse) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    model.tapNode("/r/web/shop");
    const Project other = viztest::project("/r/new/thing");
    model.setGraphData(buildGraphData({other}, "/r"));
    EXPECT_EQ(model.highlightedNodeId(), QStringLiteral("/r/web/shop"));
    EXPECT_TRUE(model.isDimmed("/r/new/thing"));
    EXPECT_FALSE(model.isDimmed("/r"));
}

TEST(MindmapModelTest, NodeLooksFollowDepthKindAndRecord) {
    Sample s;
    MindmapModel model;
    model.setGraphData(s.graph);
    model.setVisibleRect(everything(s.graph));
    QHash<QString, int> looks;
    for (int i = 0; i < model.count(); ++i)
        looks.insert(rowPaths(model).at(i), model.data(model.index(i), MindmapModel::LookRole).toInt());
    EXPECT_EQ(looks.value("/r"), MindmapModel::Root);
    EXPECT_EQ(looks.value("/r/web"), MindmapModel::Directory);
    EXPECT_EQ(looks.value("/r/tools/cli"), MindmapModel::ProjectNode);
    const int web = static_cast<int>(rowPaths(model).indexOf("/r/web"));
    EXPECT_EQ(model.data(model.index(web), MindmapModel::FolderColorRole).toString(), QStringLiteral("purple"));
}

TEST(MindmapModelTest, OnlyNodesNearTheViewAreRowsAndPanningKeepsTheModelConsistent) {
    const CachedGraphData graph = buildGraphData(viztest::workspace("/w", 2000, kNow), "/w");
    MindmapModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setGraphData(graph);
    EXPECT_EQ(model.count(), 0); // nothing is shown yet

    QRectF view(0, 0, 1600, 1200);
    view.moveCenter(QPointF(graph.width / 2, graph.height / 2));
    model.setVisibleRect(view);
    EXPECT_GT(model.count(), 0);
    EXPECT_LT(model.count(), model.nodeCount() * 3 / 4);

    // Pan across the canvas in steps; after each step every node within reach of the view is
    // a row, once, and rows report their drawing order.
    for (int step = 0; step < 40; ++step) {
        view.translate(173, 97 * ((step % 7) - 3));
        model.setVisibleRect(view);
        const QRectF reach = view.adjusted(-MindmapModel::cullMargin / 2, -MindmapModel::cullMargin / 2,
                                           MindmapModel::cullMargin / 2, MindmapModel::cullMargin / 2);
        const QList<int>& rows = model.rows();
        EXPECT_EQ(QSet<int>(rows.begin(), rows.end()).size(), rows.size());
        for (int i = 0; i < graph.flatNodes.size(); ++i) {
            if (reach.contains(graph.flatNodes.at(i).position)) {
                ASSERT_TRUE(rows.contains(i)) << "step " << step << " node " << i;
            }
        }
        for (int r = 0; r < model.count(); ++r) {
            const int order = model.data(model.index(r), MindmapModel::OrderRole).toInt();
            EXPECT_EQ(order, rows.at(r));
        }
    }
    // Showing everything makes every node a row.
    model.setVisibleRect(everything(graph));
    EXPECT_EQ(model.count(), model.nodeCount());
}

TEST(MindmapModelTest, WithABudgetRowsArriveNearestFirstOverSeveralTurns) {
    const CachedGraphData graph = buildGraphData(viztest::workspace("/w", 2000, kNow), "/w");
    MindmapModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setGraphData(graph);
    model.setBatchBudget(1);
    const QRectF all(0, 0, graph.width, graph.height);
    model.setVisibleRect(all);
    ASSERT_GT(model.pendingCount(), 0);
    const int firstBatch = model.count();
    EXPECT_GT(firstBatch, 0);
    // The first rows are the ones nearest the middle of the view.
    auto distance = [&](int index) {
        const QPointF d = graph.flatNodes.at(index).position - all.center();
        return std::hypot(d.x(), d.y());
    };
    double nearestPending = 1e18;
    QSet<int> rows(model.rows().begin(), model.rows().end());
    for (int i = 0; i < graph.flatNodes.size(); ++i)
        if (!rows.contains(i)) nearestPending = std::min(nearestPending, distance(i));
    for (int index : model.rows()) EXPECT_LE(distance(index), nearestPending);
    // The rest follow on later turns of the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.pendingCount() == 0; }, 20000));
    EXPECT_EQ(model.count(), model.nodeCount());

    // Moving to a corner: the rows out of reach go as well, over later turns.
    const QRectF corner(0, 0, 600, 400);
    model.setVisibleRect(corner);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.pendingCount() == 0; }, 20000));
    const QRectF reach = corner.adjusted(-MindmapModel::cullMargin, -MindmapModel::cullMargin,
                                         MindmapModel::cullMargin, MindmapModel::cullMargin);
    for (int index : model.rows()) EXPECT_TRUE(reach.contains(graph.flatNodes.at(index).position));
    EXPECT_LT(model.count(), model.nodeCount());
}

TEST(ConnectionStrokeTest, OpacitiesAndWidthsFollowTheHighlight) {
    const QSet<QString> none;
    const QSet<QString> line{"/r", "/r/a", "/r/a/b"};
    auto stroke = [&](const char* from, const char* to, const QSet<QString>& h) {
        return ConnectionsCanvas::blendedStroke(from, to, h, h, 1.0);
    };
    const auto plain = stroke("/r", "/r/a", none);
    EXPECT_DOUBLE_EQ(plain.opacity, 0.4);
    EXPECT_DOUBLE_EQ(plain.width, 1.5);
    EXPECT_DOUBLE_EQ(plain.glowOpacity, 0.0);
    const auto lit = stroke("/r/a", "/r/a/b", line);
    EXPECT_DOUBLE_EQ(lit.opacity, 0.85);
    EXPECT_DOUBLE_EQ(lit.width, 3.0);
    EXPECT_DOUBLE_EQ(lit.glowOpacity, 0.3);
    // One end in the line is not enough.
    const auto faded = stroke("/r", "/r/c", line);
    EXPECT_DOUBLE_EQ(faded.opacity, 0.1);
    EXPECT_DOUBLE_EQ(faded.width, 1.5);
}

TEST(ConnectionStrokeTest, TheTransitionBlendsFromTheOldLook) {
    const QSet<QString> line{"/r", "/r/a"};
    const auto start = ConnectionsCanvas::blendedStroke("/r", "/r/a", {}, line, 0.0);
    EXPECT_DOUBLE_EQ(start.opacity, 0.4);
    const auto half = ConnectionsCanvas::blendedStroke("/r", "/r/a", {}, line, 0.5);
    EXPECT_DOUBLE_EQ(half.opacity, (0.4 + 0.85) / 2);
    EXPECT_DOUBLE_EQ(half.width, 2.25);
    EXPECT_DOUBLE_EQ(half.glowOpacity, 0.15);
}
