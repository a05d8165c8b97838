#include "discovery/GitOutput.h"
#include "discovery/GitService.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <functional>

using testfolders::TempTree;
using testfolders::git;
using testfolders::gitMayFail;

namespace {

// A repository with two tracked files in two folders, committed.
QByteArray baseRepository(const TempTree& tree, const QByteArray& name) {
    tree.write(name + "/one/a.txt", "a\n");
    tree.write(name + "/two/b.txt", "b\n");
    const QByteArray repo = tree.path() + "/" + name;
    testfolders::initRepository(repo);
    return repo;
}

struct RepoState {
    const char* name;
    bool changed; // what the older "status --porcelain" form says
    std::function<QByteArray(const TempTree&, const QByteArray&)> make; // returns the folder to read
};

TEST(Porcelain, VersionTwoGivesTheSameChangesAnswerAsVersionOne) {
    const QList<RepoState> states = {
        {"clean", false, [](const TempTree& t, const QByteArray& n) { return baseRepository(t, n); }},
        {"untracked only", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             t.write(n + "/new.txt", "n");
             return r;
         }},
        {"staged only", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             t.write(n + "/one/a.txt", "staged\n");
             git(r, {"add", "-A"});
             return r;
         }},
        {"staged and unstaged in one file", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             t.write(n + "/one/a.txt", "staged\n");
             git(r, {"add", "-A"});
             t.write(n + "/one/a.txt", "then changed\n");
             return r;
         }},
        {"renamed", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             git(r, {"mv", "one/a.txt", "one/renamed with space.txt"});
             return r;
         }},
        {"deleted", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             git(r, {"rm", "-q", "two/b.txt"});
             return r;
         }},
        {"unmerged", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             git(r, {"checkout", "-q", "-b", "side"});
             t.write(n + "/one/a.txt", "side\n");
             git(r, {"commit", "-qam", "side"});
             git(r, {"checkout", "-q", "main"});
             t.write(n + "/one/a.txt", "main\n");
             git(r, {"commit", "-qam", "main"});
             EXPECT_NE(gitMayFail(r, {"merge", "-q", "side"}), 0);
             return r;
         }},
        // The scan's git never looks inside submodules (their configuration could name
        // programs); the submodule is a repository of its own and shows its changes there.
        {"submodule changed", false,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray sub = baseRepository(t, n + "-sub");
             const QByteArray r = baseRepository(t, n);
             git(r, {"-c", "protocol.file.allow=always", "submodule", "add", "-q", QString::fromUtf8(sub), "sub"});
             git(r, {"commit", "-qm", "submodule"});
             t.write(n + "/sub/one/a.txt", "inside the submodule\n");
             return r;
         }},
        {"ignored files only", false,
         [](const TempTree& t, const QByteArray& n) {
             t.write(n + "/.gitignore", "*.log\n");
             const QByteArray r = baseRepository(t, n);
             t.write(n + "/debug.log", "x");
             return r;
         }},
        {"sparse checkout", false,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             git(r, {"sparse-checkout", "set", "one"});
             return r;
         }},
        {"sparse checkout with a change", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             git(r, {"sparse-checkout", "set", "one"});
             t.write(n + "/one/a.txt", "changed\n");
             return r;
         }},
        {"empty repository", false,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = t.mkdir(n);
             git(r, {"init", "-q"});
             return r;
         }},
        {"empty repository with a file", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = t.mkdir(n);
             git(r, {"init", "-q"});
             t.write(n + "/f", "x");
             return r;
         }},
        {"linked worktree", true,
         [](const TempTree& t, const QByteArray& n) {
             const QByteArray r = baseRepository(t, n);
             git(r, {"worktree", "add", "-q", "-b", "wt", QString::fromUtf8(t.path() + "/" + n + "-wt")});
             t.write(n + "-wt/two/b.txt", "in the worktree\n");
             return t.path() + "/" + n + "-wt";
         }},
    };

    TempTree tree;
    GitService service;
    int index = 0;
    for (const RepoState& state : states) {
        SCOPED_TRACE(state.name);
        const QByteArray name = "r" + QByteArray::number(index++);
        const QByteArray repo = state.make(tree, name);
        const auto v1 = service.runGit({"status", "--porcelain"}, repo);
        ASSERT_TRUE(v1);
        const bool v1Changed = !v1->trimmed().isEmpty();
        EXPECT_EQ(v1Changed, state.changed);
        EXPECT_EQ(service.checkUncommittedChanges(repo), v1Changed);
        const GitReading reading = service.readState(repo);
        EXPECT_EQ(reading.hasUncommittedChanges, v1Changed);
        EXPECT_EQ(reading.state.problem, GitProblem::none) << reading.state.problemDetail.toStdString();
    }
}

TEST(Porcelain, HeadersAndEntryKinds) {
    const PorcelainStatus s = parsePorcelainV2(
        "# branch.oid 0123456789abcdef0123456789abcdef01234567\n"
        "# branch.head main\n"
        "# branch.upstream origin/main\n"
        "# branch.ab +3 -12\n"
        "# stash 4\n"
        "1 M. N... 100644 100644 100644 a a x\n"
        "1 .M N... 100644 100644 100644 a a y\n"
        "1 MM N... 100644 100644 100644 a a z\n"
        "2 R. N... 100644 100644 100644 a a R100 new\told\n"
        "u UU N... 100644 100644 100644 100644 a b c w\n"
        "? untracked\n");
    EXPECT_TRUE(s.hasEntries);
    EXPECT_EQ(s.commit, QStringLiteral("0123456789abcdef0123456789abcdef01234567"));
    EXPECT_FALSE(s.detached);
    EXPECT_EQ(s.upstream, QStringLiteral("origin/main"));
    EXPECT_EQ(s.ahead, 3);
    EXPECT_EQ(s.behind, 12);
    EXPECT_EQ(s.stashes, 4);
    EXPECT_EQ(s.staged, 3);
    EXPECT_EQ(s.unstaged, 2);
    EXPECT_EQ(s.conflicted, 1);
    EXPECT_EQ(s.untracked, 1);

    const PorcelainStatus fresh = parsePorcelainV2("# branch.oid (initial)\n# branch.head (detached)\n"
                                                   "# branch.upstream origin/gone\n# branch.ab +x -1\n");
    EXPECT_FALSE(fresh.hasEntries);
    EXPECT_FALSE(fresh.commit);
    EXPECT_TRUE(fresh.detached);
    EXPECT_FALSE(fresh.ahead); // malformed counts are left out, never guessed
    EXPECT_EQ(fresh.stashes, 0);
    EXPECT_FALSE(parsePorcelainV2("").hasEntries);
}

TEST(Porcelain, LastCommitFields) {
    const QStringList fields = {"1769850900", "abc1234", "Ann Author", "Fix: a \"thing\"\n"};
    const LastCommitFields f = parseLastCommit(fields.join(QChar(0)));
    EXPECT_EQ(f.time, QStringLiteral("1769850900"));
    ASSERT_TRUE(f.summary);
    EXPECT_EQ(f.summary->id, QStringLiteral("abc1234"));
    EXPECT_EQ(f.summary->author, QStringLiteral("Ann Author"));
    EXPECT_EQ(f.summary->subject, QStringLiteral("Fix: a \"thing\""));
    EXPECT_FALSE(parseLastCommit(QString()).summary);
    EXPECT_EQ(parseLastCommit(QStringLiteral(" 12 \n")).time, QStringLiteral("12"));
}

TEST(Porcelain, RemoteLocationsWithSpacesStayWhole) {
    const QList<GitRemote> r = parseRemotes(QStringLiteral("local\t/srv/My Repos/x.git (fetch)\n"
                                                           "local\t/srv/My Repos/x.git (push)\n"
                                                           "odd\t/path/with (parens) (fetch)\n"));
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0].name, QStringLiteral("local"));
    EXPECT_EQ(r[0].url, QStringLiteral("/srv/My Repos/x.git"));
    EXPECT_EQ(r[1].url, QStringLiteral("/path/with (parens)"));
}

TEST(Porcelain, CommitTimesBeyondYear9999AreRejected) {
    EXPECT_TRUE(parseCommitTime(QStringLiteral("253402300799")));
    EXPECT_FALSE(parseCommitTime(QStringLiteral("253402300800")));
    EXPECT_FALSE(parseCommitTime(QStringLiteral("9e15")));
    EXPECT_TRUE(parseCommitTime(QStringLiteral("-62135596800")));
    EXPECT_FALSE(parseCommitTime(QStringLiteral("-62135596801")));
}

} // namespace
