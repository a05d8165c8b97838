#include "cli/GraphFormat.h"
#include "cli/ProjectFormats.h"
#include "cli/ScanCommand.h"
#include "cli/TreeFormat.h"
#include "discovery/ProjectScanner.h"
#include "state/GraphData.h"
#include "support/TestFolders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <limits>
#include <sstream>

using testfolders::TempTree;

namespace {

// web/shop and web/blog (Node.js), Alpha/app (Python) with Alpha/app/plugin (Node.js) inside,
// and beta/lib (Swift).
QList<Project> scanSample(const TempTree& tree) {
    tree.write("web/shop/package.json", R"({"name":"shop"})");
    tree.write("web/blog/package.json", R"({"name":"blog"})");
    tree.write("Alpha/app/pyproject.toml", "[project]\nname = \"app\"\n");
    tree.write("Alpha/app/plugin/package.json", R"({"name":"plugin"})");
    tree.write("beta/lib/Package.swift", "// swift");
    return ProjectScanner::shared().scanProjects(tree.path(), 10).result();
}

std::string lastComponent(const QByteArray& path) { return path.mid(path.lastIndexOf('/') + 1).toStdString(); }

double parseDouble(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

TEST(TreeFormat, OutlineIndentsByDepthWithCountsAndKinds) {
    TempTree tree;
    const QList<Project> projects = scanSample(tree);
    ASSERT_EQ(projects.size(), 5);
    std::ostringstream out;
    writeProjectTree(projects, tree.path(), out);
    EXPECT_EQ(out.str(), lastComponent(tree.path()) +
                             " (5)\n"
                             "  Alpha (2)\n"
                             "    app [Python] (1)\n"
                             "      plugin [Node.js]\n"
                             "  beta (1)\n"
                             "    lib [Swift]\n"
                             "  web (2)\n"
                             "    blog [Node.js]\n"
                             "    shop [Node.js]\n");
}

TEST(TreeFormat, NoProjectsWriteTheRootAloneAndOddNamesStayOnOneLine) {
    std::ostringstream empty, top;
    writeProjectTree({}, "/r", empty);
    EXPECT_EQ(empty.str(), "r (0)\n");
    writeProjectTree({}, "/", top);
    EXPECT_EQ(top.str(), "/ (0)\n");

    Project odd;
    odd.path = "/r/two\nlines\\x";
    odd.type = ProjectType::unknown;
    std::ostringstream out;
    writeProjectTree({odd}, "/r", out);
    EXPECT_EQ(out.str(), "r (1)\n  two\\x0alines\\\\x [Unknown]\n");
}

TEST(GraphFormat, JsonReadsBackAsTheBuiltMindmap) {
    TempTree tree;
    const QList<Project> projects = scanSample(tree);
    const QString root = QString::fromUtf8(tree.path());
    const CachedGraphData built = buildGraphData(projects, root);

    std::ostringstream out;
    writeProjectGraph(projects, tree.path(), out);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << out.str();
    const QJsonObject graph = doc.object();
    EXPECT_EQ(graph.keys(), (QStringList{"connections", "height", "nodes", "width"}));
    EXPECT_EQ(graph["width"].toDouble(), built.width);
    EXPECT_EQ(graph["height"].toDouble(), built.height);

    const QJsonArray nodes = graph["nodes"].toArray();
    ASSERT_EQ(nodes.size(), built.flatNodes.size());
    ASSERT_EQ(nodes.size(), 9); // the root, Alpha, beta, web and the five projects
    qint64 lastDepth = 0;
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        const QJsonObject node = nodes[i].toObject();
        const CachedGraphNode& expected = built.flatNodes.at(i);
        EXPECT_EQ(node["id"].toString(), expected.id);
        EXPECT_EQ(node["name"].toString(), expected.name);
        EXPECT_EQ(node["depth"].toInteger(), expected.depth);
        EXPECT_GE(expected.depth, lastDepth);
        lastDepth = expected.depth;
        EXPECT_EQ(node["isDirectory"].toBool(), expected.isDirectory);
        // Printed in the shortest form that reads back to the same double.
        EXPECT_EQ(node["x"].toDouble(), expected.position.x());
        EXPECT_EQ(node["y"].toDouble(), expected.position.y());
        QStringList children;
        for (const QJsonValue& child : node["childIDs"].toArray()) children.append(child.toString());
        EXPECT_EQ(children, expected.childIDs);
        if (expected.project) {
            EXPECT_EQ(node["project"].toString(), expected.project->pathText());
        } else {
            EXPECT_TRUE(node["project"].isNull());
        }
    }
    EXPECT_EQ(nodes[0].toObject()["id"].toString(), root);
    EXPECT_EQ(nodes[0].toObject()["name"].toString().toStdString(), lastComponent(tree.path()));

    const QJsonArray connections = graph["connections"].toArray();
    ASSERT_EQ(connections.size(), built.connections.size());
    QHash<QString, QString> colorTo;
    for (const QJsonValue& value : connections) {
        const QJsonObject connection = value.toObject();
        EXPECT_EQ(connection.keys(), (QStringList{"color", "fromPath", "toPath"}));
        colorTo.insert(connection["toPath"].toString(), connection["color"].toString());
    }
    EXPECT_EQ(colorTo.value(root + "/Alpha"), "secondary");
    EXPECT_EQ(colorTo.value(root + "/Alpha/app"), "yellow");
    EXPECT_EQ(colorTo.value(root + "/Alpha/app/plugin"), "green");
    EXPECT_EQ(colorTo.value(root + "/beta/lib"), "orange");
}

TEST(GraphFormat, NoProjectsGiveTheEmptyCanvas) {
    std::ostringstream out;
    writeProjectGraph({}, "/r", out);
    const QJsonObject graph = QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
    EXPECT_EQ(graph["width"].toDouble(), 800);
    EXPECT_EQ(graph["height"].toDouble(), 600);
    EXPECT_TRUE(graph["nodes"].toArray().isEmpty());
    EXPECT_TRUE(graph["connections"].toArray().isEmpty());
}

TEST(GraphFormat, NumbersRoundTrip) {
    for (double value : {0.0, 280.0, -47.0, 0.1, 1.0 / 3, 1e-300, DBL_MAX, DBL_MIN, 644.9999999999995,
                         std::numeric_limits<double>::denorm_min()}) {
        const std::string text = jsonNumber(value);
        EXPECT_EQ(parseDouble(text), value) << text;
    }
    EXPECT_EQ(jsonNumber(280), "280");
    EXPECT_EQ(jsonNumber(0.1), "0.1");
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::infinity()), "null");
}

namespace {

TEST(ProjectJson, LastModifiedOutsideFourDigitYearsIsNull) {
    Project p;
    p.name = QStringLiteral("far");
    p.path = "/r/far";
    const auto lastModifiedOf = [&](const std::optional<QDateTime>& when) {
        p.lastModified = when;
        std::ostringstream out;
        writeProjectJson({p}, "/r", out);
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()));
        return doc.array().at(0).toObject().value(QStringLiteral("lastModified"));
    };
    EXPECT_EQ(lastModifiedOf(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC)).toString(),
              QStringLiteral("9999-12-31T23:59:59Z"));
    EXPECT_EQ(lastModifiedOf(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC)).toString(),
              QStringLiteral("0001-01-01T00:00:00Z"));
    EXPECT_TRUE(lastModifiedOf(QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC)).isNull());
    EXPECT_TRUE(lastModifiedOf(QDateTime::fromMSecsSinceEpoch(8'000'000'000'000'000'000LL, Qt::UTC)).isNull());
    EXPECT_TRUE(lastModifiedOf(std::nullopt).isNull());
}

} // namespace
