#include "state/GraphData.h"
#include "state/GraphLayout.h"

#include "support/ProjectFactory.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>
#include <random>

namespace {

using testprojects::projectAt;
using testprojects::projectsAt;

QPointF positionOf(const CachedGraphData& data, const char* path) {
    const CachedGraphNode* node = data.nodes.find(QString::fromUtf8(path));
    EXPECT_NE(node, nullptr) << path;
    return node ? node->position : QPointF(qQNaN(), qQNaN());
}

void expectPoint(QPointF actual, double x, double y) {
    EXPECT_DOUBLE_EQ(actual.x(), x);
    EXPECT_DOUBLE_EQ(actual.y(), y);
}

// The rules every built value keeps.
void expectConsistent(const CachedGraphData& data, const QString& rootPath) {
    EXPECT_TRUE(data.isReady);
    QSet<QString> ids;
    for (const CachedGraphNode& node : data.nodes) {
        EXPECT_EQ(node.id, node.fullPath);
        EXPECT_FALSE(ids.contains(node.id));
        ids.insert(node.id);
        EXPECT_EQ(node.isDirectory, !node.project.has_value()) << node.id.toStdString();
        for (const QString& child : node.childIDs) {
            const CachedGraphNode* childNode = data.nodes.find(child);
            ASSERT_NE(childNode, nullptr) << child.toStdString();
            EXPECT_EQ(childNode->depth, node.depth + 1);
            EXPECT_EQ(childNode->fullPath, node.fullPath + QLatin1Char('/') + childNode->name);
        }
    }
    const CachedGraphNode* root = data.nodes.find(rootPath);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->depth, 0);

    ASSERT_EQ(data.connections.size(), data.nodes.size() - 1);
    QSet<QString> connected;
    for (const CachedGraphConnection& connection : data.connections) {
        const CachedGraphNode* from = data.nodes.find(connection.fromPath);
        ASSERT_NE(from, nullptr);
        ASSERT_TRUE(data.nodes.contains(connection.toPath));
        EXPECT_TRUE(from->childIDs.contains(connection.toPath));
        EXPECT_NE(connection.toPath, rootPath);
        connected.insert(connection.toPath);
    }
    EXPECT_EQ(connected.size(), data.connections.size());

    ASSERT_EQ(data.flatNodes.size(), data.nodes.size());
    for (qsizetype i = 0; i < data.flatNodes.size(); ++i) {
        const CachedGraphNode& flat = data.flatNodes.at(i);
        const CachedGraphNode* node = data.nodes.find(flat.id);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(*node, flat);
        if (i > 0) {
            EXPECT_LE(data.flatNodes.at(i - 1).depth, flat.depth);
        }
    }

    // The node boxes, and the root's original origin, lie inside the margins; the box touches them.
    double minX = qInf(), minY = qInf(), maxX = -qInf(), maxY = -qInf();
    for (const CachedGraphNode& node : data.nodes) {
        minX = std::min(minX, node.position.x() - 80);
        minY = std::min(minY, node.position.y() - 25);
        maxX = std::max(maxX, node.position.x() + 80);
        maxY = std::max(maxY, node.position.y() + 25);
    }
    EXPECT_GE(minX, 200 - 1e-9);
    EXPECT_GE(minY, 200 - 1e-9);
    EXPECT_LE(maxX, data.width - 200 + 1e-9);
    EXPECT_LE(maxY, data.height - 200 + 1e-9);
}

} // namespace

TEST(GraphData, InitialAndEmptyValues) {
    const CachedGraphData initial;
    EXPECT_TRUE(initial.nodes.isEmpty());
    EXPECT_TRUE(initial.flatNodes.isEmpty());
    EXPECT_TRUE(initial.connections.isEmpty());
    EXPECT_EQ(initial.width, 800);
    EXPECT_EQ(initial.height, 600);
    EXPECT_FALSE(initial.isReady);

    const CachedGraphData empty = buildGraphData({}, QStringLiteral("/r"));
    EXPECT_TRUE(empty.nodes.isEmpty());
    EXPECT_TRUE(empty.flatNodes.isEmpty());
    EXPECT_TRUE(empty.connections.isEmpty());
    EXPECT_EQ(empty.width, 800);
    EXPECT_EQ(empty.height, 600);
    EXPECT_TRUE(empty.isReady);
}

TEST(GraphData, OneProjectSitsStraightBelowTheRoot) {
    const QList<Project> projects = {projectAt("/r/app", ProjectType::python)};
    const CachedGraphData data = buildGraphData(projects, QStringLiteral("/r"));
    ASSERT_EQ(data.nodes.size(), 2);
    EXPECT_EQ(data.nodes.keys(), (QStringList{"/r", "/r/app"}));
    const CachedGraphNode& root = data.nodes.at(0);
    EXPECT_EQ(root.name, QStringLiteral("r"));
    EXPECT_TRUE(root.isDirectory);
    EXPECT_EQ(root.childIDs, QStringList{"/r/app"});
    const CachedGraphNode& app = data.nodes.at(1);
    EXPECT_FALSE(app.isDirectory);
    EXPECT_EQ(app.project, projects.first());
    EXPECT_EQ(app.depth, 1);

    expectPoint(root.position, 280, 225);
    expectPoint(app.position, 280, 365);
    EXPECT_DOUBLE_EQ(data.width, 560);
    EXPECT_DOUBLE_EQ(data.height, 590);
    ASSERT_EQ(data.connections.size(), 1);
    EXPECT_EQ(data.connections.first(),
              (CachedGraphConnection{QStringLiteral("/r"), QStringLiteral("/r/app"), QStringLiteral("yellow")}));
    expectConsistent(data, QStringLiteral("/r"));
}

TEST(GraphData, EqualSiblingsShareTheCircle) {
    const CachedGraphData data = buildGraphData(projectsAt({"/r/right", "/r/left"}), QStringLiteral("/r"));
    const QPointF root = positionOf(data, "/r");
    // The first sector starts straight up and runs clockwise: its bisector points right.
    const QPointF right = positionOf(data, "/r/right") - root;
    const QPointF left = positionOf(data, "/r/left") - root;
    EXPECT_DOUBLE_EQ(right.x(), 140);
    EXPECT_NEAR(right.y(), 0, 1e-9);
    EXPECT_DOUBLE_EQ(left.x(), -140);
    EXPECT_NEAR(left.y(), 0, 1e-9);
    expectPoint(root, 420, 225);
    EXPECT_DOUBLE_EQ(data.width, 840);
    EXPECT_DOUBLE_EQ(data.height, 450);
    expectConsistent(data, QStringLiteral("/r"));
}

TEST(GraphData, SectorsFollowSubtreeSizes) {
    // "big" holds 3 nodes and "small" 1: big gets three quarters of the circle, from straight up
    // to straight left, and sits on its bisector at angle pi/4. Placement alone, before the
    // push-apart pass.
    CachedGraphData data = buildGraphData(projectsAt({"/r/big/a", "/r/big/b", "/r/small"}), QStringLiteral("/r"));
    const QHash<QString, qint64> sizes = graphlayout::subtreeSizes(data.nodes, QStringLiteral("/r"));
    graphlayout::placeAroundRoot(data.nodes, sizes, QStringLiteral("/r"));
    expectPoint(positionOf(data, "/r"), 0, 0);
    const QPointF big = positionOf(data, "/r/big");
    const QPointF small = positionOf(data, "/r/small");
    EXPECT_NEAR(std::atan2(big.y(), big.x()), M_PI / 4, 1e-12);
    EXPECT_NEAR(std::hypot(big.x(), big.y()), 140, 1e-9);
    EXPECT_NEAR(std::atan2(small.y(), small.x()), -3 * M_PI / 4, 1e-12);
    // big's two children share a fan of 0.8 radian around big's own direction, 280 away.
    const QPointF a = positionOf(data, "/r/big/a") - big;
    const QPointF b = positionOf(data, "/r/big/b") - big;
    EXPECT_NEAR(std::hypot(a.x(), a.y()), 280, 1e-9);
    EXPECT_NEAR(std::atan2(a.y(), a.x()), M_PI / 4 - 0.2, 1e-12);
    EXPECT_NEAR(std::atan2(b.y(), b.x()), M_PI / 4 + 0.2, 1e-12);
}

TEST(GraphData, FanIsLimitedByTheParentsSectorAndTheWidestFan) {
    QList<Project> projects;
    for (int i = 0; i < 10; ++i) projects.append(projectAt("/r/wide/p" + QByteArray::number(i)));
    projects.append(projectAt("/r/narrow/a"));
    projects.append(projectAt("/r/narrow/b"));
    CachedGraphData data = buildGraphData(projects, QStringLiteral("/r"));
    const QHash<QString, qint64> sizes = graphlayout::subtreeSizes(data.nodes, QStringLiteral("/r"));
    graphlayout::placeAroundRoot(data.nodes, sizes, QStringLiteral("/r"));
    // wide: 11 of 14 nodes, sector 11/14 of the circle; ten children would want 4 radians, the
    // widest fan is 0.8 pi. Children sit on the bisectors of ten equal slices of that fan.
    const QPointF wide = positionOf(data, "/r/wide");
    const double wideDirection = -M_PI / 2 + 11.0 / 14 * M_PI;
    EXPECT_NEAR(std::atan2(wide.y(), wide.x()), wideDirection, 1e-12);
    for (int i = 0; i < 10; ++i) {
        const QPointF p = positionOf(data, ("/r/wide/p" + QByteArray::number(i)).constData()) - wide;
        const double expected = wideDirection - 0.4 * M_PI + (i + 0.5) * 0.08 * M_PI;
        EXPECT_NEAR(std::remainder(std::atan2(p.y(), p.x()) - expected, 2 * M_PI), 0, 1e-12) << i;
    }
    // narrow: sector 3/14 of the circle (about 1.35) is wider than two children's 0.8.
    const QPointF narrow = positionOf(data, "/r/narrow");
    const QPointF b = positionOf(data, "/r/narrow/b") - narrow;
    const double narrowDirection = -M_PI / 2 + (11.0 / 14 + 3.0 / 14 / 2) * 2 * M_PI;
    EXPECT_NEAR(std::remainder(std::atan2(b.y(), b.x()) - (narrowDirection + 0.2), 2 * M_PI), 0, 1e-12);
}

TEST(GraphData, LoneChildContinuesItsFoldersDirection) {
    const CachedGraphData data = buildGraphData(projectsAt({"/r/f/app"}), QStringLiteral("/r"));
    const QPointF folder = positionOf(data, "/r/f") - positionOf(data, "/r");
    const QPointF app = positionOf(data, "/r/f/app") - positionOf(data, "/r/f");
    EXPECT_NEAR(folder.x(), 0, 1e-9);
    EXPECT_DOUBLE_EQ(folder.y(), 140);
    EXPECT_NEAR(app.x(), 0, 1e-9);
    EXPECT_DOUBLE_EQ(app.y(), 280);
    ASSERT_EQ(data.connections.size(), 2);
    EXPECT_EQ(data.connections.at(0).color, QStringLiteral("secondary"));
    EXPECT_EQ(data.connections.at(1).color, QStringLiteral("green"));
    expectConsistent(data, QStringLiteral("/r"));
}

TEST(GraphData, ConnectionColoursFollowTheKind) {
    const QList<std::pair<ProjectType, const char*>> kinds = {
        {ProjectType::nodeJS, "green"},  {ProjectType::reactNative, "cyan"}, {ProjectType::nextJS, "primary"},
        {ProjectType::java, "orange"},   {ProjectType::python, "yellow"},    {ProjectType::swift, "orange"},
        {ProjectType::unknown, "gray"},
    };
    QList<Project> projects;
    for (const auto& [type, color] : kinds) {
        projects.append(projectAt("/r/group/kind" + QByteArray::number(projects.size()), type));
    }
    const CachedGraphData data = buildGraphData(projects, QStringLiteral("/r"));
    ASSERT_EQ(data.connections.size(), kinds.size() + 1);
    EXPECT_EQ(data.connections.first().toPath, QStringLiteral("/r/group"));
    EXPECT_EQ(data.connections.first().color, QStringLiteral("secondary"));
    for (qsizetype i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(data.connections.at(i + 1).fromPath, QStringLiteral("/r/group"));
        EXPECT_EQ(data.connections.at(i + 1).toPath, projects.at(i).pathText());
        EXPECT_EQ(data.connections.at(i + 1).color, QLatin1String(kinds.at(i).second));
    }
    expectConsistent(data, QStringLiteral("/r"));
}

TEST(GraphData, EveryProjectHasItsOwnNodeWhateverTheOrder) {
    // A repository's root listed after its packages, and before them.
    const QList<Project> innerFirst = projectsAt({"/r/app/plugin", "/r/app"});
    for (const QList<Project>& order : {innerFirst, QList<Project>{innerFirst.at(1), innerFirst.at(0)}}) {
        const CachedGraphData data = buildGraphData(order, QStringLiteral("/r"));
        const CachedGraphNode* app = data.nodes.find(QStringLiteral("/r/app"));
        ASSERT_NE(app, nullptr);
        EXPECT_FALSE(app->isDirectory);
        EXPECT_EQ(app->project, innerFirst.at(1));
        EXPECT_EQ(app->childIDs, QStringList{"/r/app/plugin"});
        EXPECT_EQ(data.nodes.size(), 3);
        EXPECT_EQ(data.connections.at(0).color, QStringLiteral("green"));
        expectConsistent(data, QStringLiteral("/r"));
    }
}

TEST(GraphData, NodesKeepCreationOrderAndProjectsOutsideTheRootAreLeftOut) {
    const QList<Project> projects = projectsAt({"/r/b/x", "/rb/y", "/r", "/r/a/y", "/other/z", "/r/b/w"});
    const CachedGraphData data = buildGraphData(projects, QStringLiteral("/r"));
    EXPECT_EQ(data.nodes.keys(), (QStringList{"/r", "/r/b", "/r/b/x", "/r/a", "/r/a/y", "/r/b/w"}));
    EXPECT_EQ(data.nodes.at(0).project, projects.at(2)); // the root folder's own project
    QStringList flat;
    for (const CachedGraphNode& node : data.flatNodes) flat.append(node.id);
    EXPECT_EQ(flat, (QStringList{"/r", "/r/b", "/r/a", "/r/b/x", "/r/a/y", "/r/b/w"}));
    EXPECT_EQ(data.nodes.find(QStringLiteral("/r/b"))->childIDs, (QStringList{"/r/b/x", "/r/b/w"}));
    QStringList targets;
    for (const CachedGraphConnection& connection : data.connections) targets.append(connection.toPath);
    EXPECT_EQ(targets, data.nodes.keys().mid(1));
    expectConsistent(data, QStringLiteral("/r"));
}

TEST(GraphData, NamesDifferingOnlyInBytesThatAreNotUtf8StayApart) {
    const QList<Project> projects = {projectAt("/r/x\xff"), projectAt("/r/x\xfe")};
    const CachedGraphData data = buildGraphData(projects, QStringLiteral("/r"));
    ASSERT_EQ(data.nodes.size(), 3);
    ASSERT_EQ(data.connections.size(), 2);
    EXPECT_NE(data.connections.at(0).toPath, data.connections.at(1).toPath);
    EXPECT_EQ(data.nodes.find(QStringLiteral("/r"))->childIDs.size(), 2);
    EXPECT_EQ(data.nodes.find(data.connections.at(0).toPath)->project, projects.at(0));
    EXPECT_EQ(data.nodes.find(data.connections.at(1).toPath)->project, projects.at(1));
}

TEST(GraphData, FileSystemRootGivesDoubleSlashChildren) {
    const CachedGraphData data = buildGraphData(projectsAt({"/srv/app"}), QStringLiteral("/"));
    EXPECT_EQ(data.nodes.keys(), (QStringList{"/", "//srv", "//srv/app"}));
    EXPECT_EQ(data.nodes.at(0).name, QStringLiteral("/"));
    EXPECT_EQ(data.connections.at(0).fromPath, QStringLiteral("/"));
    expectConsistent(data, QStringLiteral("/"));
}

TEST(GraphData, NoProjectBeneathTheRootGivesTheRootAlone) {
    const CachedGraphData data = buildGraphData(projectsAt({"/elsewhere/app", "/r"}), QStringLiteral("/r"));
    ASSERT_EQ(data.nodes.size(), 1);
    expectPoint(data.nodes.at(0).position, 280, 225);
    EXPECT_DOUBLE_EQ(data.width, 560);
    EXPECT_DOUBLE_EQ(data.height, 450);
    EXPECT_TRUE(data.connections.isEmpty());
}

TEST(GraphData, SubtreeSizes) {
    const CachedGraphData data =
        buildGraphData(projectsAt({"/r/a/x/1", "/r/a/x/2", "/r/a/y", "/r/b"}), QStringLiteral("/r"));
    const QHash<QString, qint64> sizes = graphlayout::subtreeSizes(data.nodes, QStringLiteral("/r"));
    EXPECT_EQ(sizes.value(QStringLiteral("/r")), 7);
    EXPECT_EQ(sizes.value(QStringLiteral("/r/a")), 5);
    EXPECT_EQ(sizes.value(QStringLiteral("/r/a/x")), 3);
    EXPECT_EQ(sizes.value(QStringLiteral("/r/a/x/1")), 1);
    EXPECT_EQ(sizes.value(QStringLiteral("/r/b")), 1);
    EXPECT_EQ(sizes.size(), 7);
    EXPECT_TRUE(graphlayout::subtreeSizes(data.nodes, QStringLiteral("/missing")).isEmpty());
}

TEST(GraphData, CrowdedRingIsPushedApart) {
    // Twelve siblings on a ring of radius 140 lie about 73 apart before the push-apart pass.
    QList<Project> projects;
    for (int i = 0; i < 12; ++i) projects.append(projectAt("/r/p" + QByteArray::number(i)));
    const CachedGraphData data = buildGraphData(projects, QStringLiteral("/r"));
    double closest = qInf();
    for (qsizetype i = 1; i < data.nodes.size(); ++i) {
        for (qsizetype j = i + 1; j < data.nodes.size(); ++j) {
            const QPointF d = data.nodes.at(i).position - data.nodes.at(j).position;
            closest = std::min(closest, std::hypot(d.x(), d.y()));
        }
    }
    EXPECT_GT(closest, 100) << closest;
    expectConsistent(data, QStringLiteral("/r"));
}

TEST(GraphData, SameInputGivesBitIdenticalOutput) {
    std::mt19937 random(11);
    QList<Project> projects;
    for (int i = 0; i < 400; ++i) {
        QByteArray path = "/src/org" + QByteArray::number(int(random() % 6)) + "/team" +
                          QByteArray::number(int(random() % 4)) + "/p" + QByteArray::number(i);
        if (random() % 5 == 0) path += "/sub";
        projects.append(projectAt(path, projecttype::allCases.at(random() % projecttype::allCases.size())));
    }
    const CachedGraphData first = buildGraphData(projects, QStringLiteral("/src"));
    const CachedGraphData second = buildGraphData(projects, QStringLiteral("/src"));
    expectConsistent(first, QStringLiteral("/src"));
    EXPECT_EQ(first, second);
    ASSERT_EQ(first.flatNodes.size(), second.flatNodes.size());
    for (qsizetype i = 0; i < first.flatNodes.size(); ++i) {
        // QPointF's == is fuzzy; the layout must match to the last bit.
        EXPECT_EQ(first.flatNodes.at(i).position.x(), second.flatNodes.at(i).position.x());
        EXPECT_EQ(first.flatNodes.at(i).position.y(), second.flatNodes.at(i).position.y());
    }
    EXPECT_EQ(first.width, second.width);
    EXPECT_EQ(first.height, second.height);
}

TEST(GraphData, VeryDeepPathIsLaidOutWithoutTrouble) {
    QByteArray path = "/r";
    for (int i = 0; i < 1500; ++i) path += "/d";
    const CachedGraphData data = buildGraphData({projectAt(path)}, QStringLiteral("/r"));
    ASSERT_EQ(data.nodes.size(), 1501);
    EXPECT_EQ(data.flatNodes.last().depth, 1500);
    EXPECT_TRUE(std::isfinite(data.width));
    EXPECT_TRUE(std::isfinite(data.height));
    expectConsistent(data, QStringLiteral("/r"));
}
