#include "cli/ScanCommand.h"
#include "CommandRun.h"
#include "cli/ScanOptions.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>


using testfolders::TempTree;

namespace {

using clitest::CommandResult;
using clitest::run;

TEST(ScanCommand, JsonReportsEveryFieldWithNullsForAbsentValues) {
    TempTree tree;
    tree.write("web/package.json", R"({"name":"web","version":"1.2.0","dependencies":{"next":"1"}})");
    testfolders::initRepository(tree.path() + "/web", "2026-01-31T09:15:00Z");
    testfolders::git(tree.path() + "/web", {"remote", "add", "origin", "https://example.com/web.git"});
    tree.write("lib/Package.swift", "// swift");

    const CommandResult r = run({"--format", "json", tree.path().toStdString()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
    const QJsonArray projects = doc.array();
    ASSERT_EQ(projects.size(), 2);

    const QJsonObject lib = projects[0].toObject();
    const QStringList keys = {"id", "name", "path", "type", "version", "lastModified",
                              "gitBranch", "remotes", "hasUncommittedChanges", "hasGit", "repository", "git"};
    QStringList sortedKeys = keys;
    sortedKeys.sort();
    EXPECT_EQ(lib.keys(), sortedKeys);
    EXPECT_EQ(lib["name"].toString(), "lib");
    EXPECT_EQ(lib["type"].toString(), "Swift");
    EXPECT_TRUE(lib["version"].isNull());
    EXPECT_TRUE(lib["gitBranch"].isNull());
    EXPECT_FALSE(lib["hasGit"].toBool());
    EXPECT_TRUE(lib["remotes"].toArray().isEmpty());

    const QJsonObject web = projects[1].toObject();
    EXPECT_EQ(web["type"].toString(), "Next.js");
    EXPECT_EQ(web["version"].toString(), "1.2.0");
    EXPECT_EQ(web["lastModified"].toString(), "2026-01-31T09:15:00Z");
    EXPECT_EQ(web["gitBranch"].toString(), "main");
    EXPECT_EQ(web["path"].toString(), QString::fromUtf8(tree.path() + "/web"));
    EXPECT_FALSE(QUuid::fromString(web["id"].toString()).isNull());
    const QJsonObject remote = web["remotes"].toArray()[0].toObject();
    EXPECT_EQ(remote["name"].toString(), "origin");
    EXPECT_EQ(remote["url"].toString(), "https://example.com/web.git");
    EXPECT_FALSE(QUuid::fromString(remote["id"].toString()).isNull());
    EXPECT_TRUE(web["hasGit"].toBool());
}

TEST(ScanCommand, JsonEscapesAwkwardNames) {
    TempTree tree;
    tree.write("a/package.json", "{\"name\":\"quote\\\" back\\\\ tab\\t nl\\n \\u0001\"}");
    const CommandResult r = run({"--format=json", tree.path().toStdString()});
    ASSERT_EQ(r.status, 0);
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out));
    EXPECT_EQ(doc.array()[0].toObject()["name"].toString(), QStringLiteral("quote\" back\\ tab\t nl\n \u0001"));
}

TEST(ScanCommand, TableHonoursDepth) {
    TempTree tree;
    tree.write("a/package.json", R"({"name":"alpha","version":"1"})");
    tree.write("a/b/c/pom.xml", "<project><artifactId>deep</artifactId></project>");
    const CommandResult shallow = run({"--max-depth", "1", tree.path().toStdString()});
    ASSERT_EQ(shallow.status, 0);
    EXPECT_NE(shallow.out.find("alpha"), std::string::npos);
    EXPECT_EQ(shallow.out.find("deep"), std::string::npos);

    EXPECT_NE(run({tree.path().toStdString()}).out.find("deep"), std::string::npos);
}

TEST(ScanCommand, EveryFormatIsOfferedAndAnEmptyResultIsToldOnStandardError) {
    TempTree tree;
    const std::string root = tree.mkdir("nothing here").toStdString();
    for (const char* format : {"table", "json", "tree", "graph"}) {
        const CommandResult r = run({"--format", format, root});
        EXPECT_EQ(r.status, 0) << format;
        EXPECT_EQ(r.err, "codeorchardist-scan: no projects under " + root + "\n") << format;
        EXPECT_FALSE(r.out.empty()) << format;
    }
    EXPECT_EQ(run({"--format", "tree", root}).out, "nothing here (0)\n");
    EXPECT_EQ(run({"--format", "json", root}).out, "[]\n");

    tree.write("nothing here/lib/Package.swift", "// swift");
    for (const char* format : {"table", "json", "tree", "graph"}) {
        const CommandResult r = run({"--format", format, root});
        EXPECT_NE(r.out.find("lib"), std::string::npos) << format;
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
    // Projects that need no attention are not an empty scan.
    EXPECT_TRUE(run({"--attention", root}).err.empty());
}

TEST(ScanOptions, FolderPathsAreMadeAbsolute) {
    EXPECT_EQ(absoluteFolderPath("proj/./x//", "/home/me"), QByteArray("/home/me/proj/x"));
    EXPECT_EQ(absoluteFolderPath("/", "/home"), QByteArray("/"));
    EXPECT_EQ(absoluteFolderPath("/a/../b", "/"), QByteArray("/a/../b"));
    EXPECT_EQ(absoluteFolderPath(".", "/srv"), QByteArray("/srv"));
}

} // namespace
