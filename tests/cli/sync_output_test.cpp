#include "cli/ScanCommand.h"
#include "CommandRun.h"
#include "support/TestFolders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <sstream>

using testfolders::TempTree;
using testfolders::git;

namespace {

using clitest::CommandResult;
using clitest::run;

QJsonObject byName(const QJsonArray& projects, const QString& name) {
    for (const QJsonValue& v : projects) {
        if (v.toObject()["name"].toString() == name) return v.toObject();
    }
    return {};
}

// A bare remote, a clone "work" one commit ahead with a stash, a clean clone "tidy", a package
// inside "work" without its own .git and a plain folder project outside any repository.
struct Workspace {
    TempTree tree;
    QByteArray root = tree.mkdir("root");
    Workspace() {
        const QByteArray seed = tree.mkdir("seed");
        tree.write("seed/file", "1\n");
        testfolders::initRepository(seed);
        git(tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
        git(root, {"clone", "-q", "../remote.git", "work"});
        git(root, {"clone", "-q", "../remote.git", "tidy"});
        tree.write("root/work/file", "stashed\n");
        git(root + "/work", {"stash", "-q"});
        tree.write("root/work/file", "2\n");
        git(root + "/work", {"commit", "-qam", "Second commit"});
        tree.write("root/work/pkg/package.json", R"({"name":"pkg"})");
        git(root + "/work", {"add", "-A"});
        git(root + "/work", {"commit", "-qm", "Add pkg"});
        tree.write("root/plain/package.json", R"({"name":"plain"})");
    }
    std::string rootText() const { return root.toStdString(); }
};

TEST(SyncOutput, JsonCarriesTheSyncStateAndAttention) {
    Workspace w;
    const CommandResult r = run({"--format", "json", w.rootText()});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray projects = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
    ASSERT_EQ(projects.size(), 4);

    const QJsonObject work = byName(projects, "work")["git"].toObject();
    EXPECT_EQ(work["commit"].toString().size(), 40);
    EXPECT_EQ(work["upstream"].toString(), "origin/main");
    EXPECT_EQ(work["ahead"].toInt(), 2);
    EXPECT_EQ(work["behind"].toInt(), 0);
    EXPECT_EQ(work["stashes"].toInt(), 1);
    EXPECT_EQ(work["staged"].toInt(), 0);
    EXPECT_TRUE(work["operation"].isNull());
    EXPECT_TRUE(work["worktreeOf"].isNull());
    EXPECT_FALSE(work["bare"].toBool(true));
    EXPECT_TRUE(work["problem"].isNull());
    EXPECT_EQ(work["lastCommit"].toObject()["subject"].toString(), "Add pkg");
    EXPECT_EQ(work["lastCommit"].toObject()["author"].toString(), "Test");
    EXPECT_TRUE(work["lastFetched"].isNull()); // cloned, never fetched
    EXPECT_TRUE(work["needsAttention"].toBool());
    EXPECT_EQ(work["attention"].toArray(), (QJsonArray{"unpushed", "stash"}));
    const QStringList keys = {"commit",    "upstream",   "ahead",      "behind",      "stashes",
                              "staged",    "unstaged",   "untracked",  "conflicted",  "operation",
                              "worktreeOf", "bare",       "lastCommit", "lastFetched", "problem",
                              "needsAttention", "attention"};
    QStringList sorted = keys;
    sorted.sort();
    EXPECT_EQ(work.keys(), sorted);

    const QJsonObject pkg = byName(projects, "pkg");
    EXPECT_TRUE(pkg["git"].isNull());
    EXPECT_EQ(pkg["repository"].toString(), QString::fromUtf8(w.root + "/work"));
    EXPECT_TRUE(byName(projects, "plain")["repository"].isNull());
    EXPECT_FALSE(byName(projects, "tidy")["git"].toObject()["needsAttention"].toBool());
}

TEST(SyncOutput, AttentionListsOnlyWhatNeedsItAndSetsTheExitStatus) {
    Workspace w;
    const CommandResult r = run({"--attention", w.rootText()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("ATTENTION"), std::string::npos);
    EXPECT_NE(r.out.find("unpushed commits, stashed changes"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("tidy"), std::string::npos);
    EXPECT_EQ(r.out.find("plain"), std::string::npos);

    const CommandResult clean = run({"--attention", "--format", "json", (w.root + "/tidy").toStdString()});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(clean.out)).array().size(), 0);
}

TEST(SyncOutput, TableShowsSyncMarksDetachedHeadsAndColoursOnlyWhenAsked) {
    Workspace w;
    git(w.root + "/tidy", {"checkout", "-q", "--detach"});
    const CommandResult plain = run({w.rootText()});
    ASSERT_EQ(plain.status, 0);
    EXPECT_NE(plain.out.find("SYNC"), std::string::npos);
    EXPECT_NE(plain.out.find("↑2 ⚑"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("detached at "), std::string::npos);
    EXPECT_NE(plain.out.find("part of work"), std::string::npos);
    EXPECT_EQ(plain.out.find('\033'), std::string::npos);

    EXPECT_NE(run({"--color", "always", w.rootText()}).out.find('\033'), std::string::npos);
    EXPECT_EQ(run({"--color", "never", w.rootText()}, {true, true, std::nullopt}).out.find('\033'), std::string::npos);
    EXPECT_NE(run({w.rootText()}, {true, false, std::nullopt}).out.find('\033'), std::string::npos);
    ::setenv("NO_COLOR", "1", 1);
    EXPECT_EQ(run({w.rootText()}, {true, false, std::nullopt}).out.find('\033'), std::string::npos);
    EXPECT_NE(run({"--color=always", w.rootText()}, {true, false, std::nullopt}).out.find('\033'), std::string::npos);
    ::unsetenv("NO_COLOR");
}

TEST(SyncOutput, ABareMirrorIsListedAsBare) {
    Workspace w;
    git(w.root, {"clone", "-q", "--mirror", "../remote.git", "backup.git"});
    const CommandResult json = run({"--format", "json", w.rootText()});
    const QJsonObject mirror = byName(QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array(), "backup");
    EXPECT_EQ(mirror["type"].toString(), "Unknown");
    EXPECT_TRUE(mirror["git"].toObject()["bare"].toBool());
    EXPECT_FALSE(mirror["hasUncommittedChanges"].toBool(true));
    EXPECT_EQ(mirror["git"].toObject()["attention"].toArray(), QJsonArray());
    const CommandResult table = run({w.rootText()});
    const size_t row = table.out.find("backup ");
    ASSERT_NE(row, std::string::npos) << table.out;
    const std::string line = table.out.substr(row, table.out.find('\n', row) - row);
    EXPECT_NE(line.find(" bare "), std::string::npos) << line;
    EXPECT_EQ(line.find("clean"), std::string::npos) << line;
}

TEST(SyncOutput, FetchUpdatesBehindBeforeListing) {
    Workspace w;
    const QByteArray seed = w.tree.path() + "/seed";
    w.tree.write("seed/file", "newer\n");
    git(seed, {"commit", "-qam", "Newer on the remote"});
    git(seed, {"push", "-q", QString::fromUtf8(w.tree.path() + "/remote.git"), "main"});

    const auto behindOfTidy = [&](const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"--format", "json"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(w.rootText());
        const CommandResult r = run(args);
        EXPECT_TRUE(r.err.empty()) << r.err;
        const QJsonArray projects = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
        return byName(projects, "tidy")["git"].toObject()["behind"].toInt(-1);
    };
    EXPECT_EQ(behindOfTidy({}), 0);
    EXPECT_EQ(behindOfTidy({"--fetch"}), 1);
}

} // namespace
