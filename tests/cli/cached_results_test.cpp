#include "CommandRun.h"
#include "discovery/ProjectScanner.h"
#include "state/ResultsCache.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using clitest::run;

TEST(CachedResults, PrintsTheStoredResultsAsAScanWouldAndExitsThreeWithoutThem) {
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
    testfolders::TempTree tree;
    tree.write("web/package.json", R"({"name":"web","version":"1.2.0"})");
    testfolders::initRepository(tree.path() + "/web");
    tree.write("lib/Package.swift", "// swift");
    const std::string root = tree.path().toStdString();

    // Nothing stored yet: one line on standard error, nothing on standard output.
    const auto none = run({"--cached", root});
    EXPECT_EQ(none.status, 3);
    EXPECT_TRUE(none.out.empty());
    EXPECT_EQ(std::count(none.err.begin(), none.err.end(), '\n'), 1) << none.err;
    EXPECT_EQ(run({"--cached", "--fetch", root}).status, 2);

    const ScanOutcome scanned = ProjectScanner::shared().startScan(ScanRequest{tree.path(), 10, 0, nullptr}).result();
    ASSERT_TRUE(ResultsCache().write({tree.path(), QDateTime::currentDateTime(), scanned.projects}));
    for (const char* format : {"table", "tree"}) {
        const auto fresh = run({"--format", format, root});
        const auto cached = run({"--cached", "--format", format, root});
        EXPECT_EQ(cached.status, 0) << cached.err;
        EXPECT_EQ(cached.out, fresh.out) << format;
    }
    const auto json = run({"--cached", "--format", "json", root});
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array().size(), 2);
    // Another folder's results are not these; a folder that is gone still has its results.
    EXPECT_EQ(run({"--cached", root + "/web"}).status, 3);
    ASSERT_TRUE(QDir(QString::fromUtf8(tree.path())).removeRecursively());
    const auto gone = run({"--cached", "--format", "json", root});
    EXPECT_EQ(gone.status, 0);
    EXPECT_EQ(gone.out, json.out);
}

} // namespace
