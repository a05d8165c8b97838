#include "discovery/GitService.h"
#include "model/Attention.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

using testfolders::TempTree;
using testfolders::git;
using testfolders::gitMayFail;

namespace {

// A bare repository with one commit on main and a clone of it, "work".
struct ClonedRepository {
    TempTree tree;
    QByteArray bare = tree.path() + "/remote.git";
    QByteArray work = tree.path() + "/work";

    ClonedRepository() {
        const QByteArray seed = tree.mkdir("seed");
        tree.write("seed/file", "1\n");
        testfolders::initRepository(seed);
        git(tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
        git(tree.path(), {"clone", "-q", "remote.git", "work"});
    }
    QByteArray clone(const QByteArray& name) {
        git(tree.path(), {"clone", "-q", "remote.git", QString::fromUtf8(name)});
        return tree.path() + "/" + name;
    }
    void commit(const QByteArray& repo, const QByteArray& file, const QByteArray& content,
                const QString& subject = QStringLiteral("change")) {
        tree.write(repo.mid(tree.path().size() + 1) + "/" + file, content);
        git(repo, {"add", "-A"});
        git(repo, {"commit", "-q", "-m", subject});
    }
};

Project projectFrom(const QByteArray& folder, GitReading reading) {
    Project p;
    p.path = folder;
    p.hasGit = true;
    applyReading(p, std::move(reading));
    return p;
}

TEST(GitState, AheadBehindUpstreamAndLastCommitFromTwoClones) {
    ClonedRepository r;
    const QByteArray other = r.clone("other");
    r.commit(other, "file", "2\n");
    git(other, {"push", "-q", "origin", "main"});
    git(r.work, {"fetch", "-q"});
    r.commit(r.work, "mine", "x\n", QStringLiteral("My subject line"));

    GitService service;
    const GitReading reading = service.readState(r.work);
    const GitState& s = reading.state;
    EXPECT_EQ(s.problem, GitProblem::none) << s.problemDetail.toStdString();
    EXPECT_EQ(s.upstream, QStringLiteral("origin/main"));
    EXPECT_EQ(s.ahead, 1);
    EXPECT_EQ(s.behind, 1);
    ASSERT_TRUE(s.commit);
    EXPECT_EQ(s.commit->size(), 40);
    ASSERT_TRUE(s.lastCommit);
    EXPECT_TRUE(s.commit->startsWith(s.lastCommit->id));
    EXPECT_EQ(s.lastCommit->author, QStringLiteral("Test"));
    EXPECT_EQ(s.lastCommit->subject, QStringLiteral("My subject line"));
    EXPECT_TRUE(s.lastFetched.has_value());
    EXPECT_FALSE(s.detached);
    EXPECT_EQ(reading.branch, QStringLiteral("main"));
    EXPECT_TRUE(reading.lastCommitDate.has_value());
    EXPECT_FALSE(reading.hasUncommittedChanges);

    const Project p = projectFrom(r.work, reading);
    EXPECT_EQ(attentionKeys(p), (QStringList{"unpushed", "behind"}));

    // In step again: nothing needs attention.
    git(r.work, {"pull", "-q", "--rebase"});
    git(r.work, {"push", "-q"});
    EXPECT_TRUE(attentionKeys(projectFrom(r.work, service.readState(r.work))).isEmpty());
}

TEST(GitState, EntryCountsAndStashes) {
    ClonedRepository r;
    r.commit(r.work, "a", "1\n");
    r.commit(r.work, "b", "1\n");
    git(r.work, {"push", "-q"});
    r.tree.write("work/a", "stash me\n");
    git(r.work, {"stash", "-q"});
    r.tree.write("work/a", "stash me too\n");
    git(r.work, {"stash", "-q"});
    r.tree.write("work/a", "staged\n");
    git(r.work, {"add", "a"});
    r.tree.write("work/a", "staged then changed\n"); // staged and unstaged in one file
    r.tree.write("work/b", "unstaged\n");
    r.tree.write("work/new1", "u\n");
    r.tree.write("work/new2", "u\n");
    r.tree.write("work/new3", "u\n");

    GitService service;
    const GitReading reading = service.readState(r.work);
    EXPECT_TRUE(reading.hasUncommittedChanges);
    EXPECT_EQ(reading.state.staged, 1);
    EXPECT_EQ(reading.state.unstaged, 2);
    EXPECT_EQ(reading.state.untracked, 3);
    EXPECT_EQ(reading.state.conflicted, 0);
    EXPECT_EQ(reading.state.stashes, 2);
    EXPECT_EQ(attentionKeys(projectFrom(r.work, reading)), (QStringList{"uncommitted", "stash"}));
}

// Two branches that change the same line, so every way of combining them stops on a conflict.
struct ConflictingBranches : ClonedRepository {
    ConflictingBranches() {
        git(work, {"checkout", "-q", "-b", "side"});
        commit(work, "file", "side\n");
        git(work, {"checkout", "-q", "main"});
        commit(work, "file", "main\n");
    }
};

TEST(GitState, OperationsInProgress) {
    GitService service;
    {
        ConflictingBranches r;
        EXPECT_NE(gitMayFail(r.work, {"merge", "-q", "side"}), 0);
        const GitReading reading = service.readState(r.work);
        EXPECT_EQ(reading.state.operation, GitOperation::merge);
        EXPECT_EQ(reading.state.conflicted, 1);
        EXPECT_EQ(attentionKeys(projectFrom(r.work, reading)),
                  (QStringList{"uncommitted", "unpushed", "operation"}));
    }
    {
        ConflictingBranches r;
        EXPECT_NE(gitMayFail(r.work, {"rebase", "-q", "side"}), 0);
        const GitReading reading = service.readState(r.work);
        EXPECT_EQ(reading.state.operation, GitOperation::rebase);
        EXPECT_TRUE(reading.state.detached);
        EXPECT_EQ(reading.branch, QString()); // detached during the rebase
    }
    {
        ConflictingBranches r;
        EXPECT_NE(gitMayFail(r.work, {"cherry-pick", "side"}), 0);
        EXPECT_EQ(service.readState(r.work).state.operation, GitOperation::cherryPick);
    }
    {
        ConflictingBranches r;
        r.commit(r.work, "file", "later\n");
        EXPECT_NE(gitMayFail(r.work, {"revert", "--no-edit", "HEAD~1"}), 0);
        EXPECT_EQ(service.readState(r.work).state.operation, GitOperation::revert);
    }
    {
        ConflictingBranches r;
        git(r.work, {"bisect", "start"});
        EXPECT_EQ(service.readState(r.work).state.operation, GitOperation::bisect);
    }
}

TEST(GitState, UpstreamMissingOrGone) {
    ClonedRepository r;
    GitService service;
    // A new local branch with commits but no upstream.
    git(r.work, {"checkout", "-q", "-b", "feature"});
    r.commit(r.work, "f", "1\n");
    GitReading reading = service.readState(r.work);
    EXPECT_FALSE(reading.state.upstream);
    EXPECT_FALSE(reading.state.ahead);
    EXPECT_EQ(attentionKeys(projectFrom(r.work, reading)), QStringList{"no-upstream"});

    // Pushed with tracking, then deleted on the remote and pruned: the upstream is gone.
    git(r.work, {"push", "-q", "-u", "origin", "feature"});
    EXPECT_TRUE(attentionKeys(projectFrom(r.work, service.readState(r.work))).isEmpty());
    git(r.bare, {"branch", "-q", "-D", "feature"});
    git(r.work, {"fetch", "-q", "--prune"});
    reading = service.readState(r.work);
    EXPECT_EQ(reading.state.upstream, QStringLiteral("origin/feature"));
    EXPECT_TRUE(reading.state.upstreamGone());
    EXPECT_EQ(attentionKeys(projectFrom(r.work, reading)), QStringList{"no-upstream"});

    // A detached HEAD has no upstream by nature; commits made there are on no branch.
    git(r.work, {"checkout", "-q", "--detach"});
    reading = service.readState(r.work);
    EXPECT_TRUE(reading.state.detached);
    EXPECT_EQ(attentionKeys(projectFrom(r.work, reading)), QStringList{"detached"});
}

TEST(GitState, LocalAndEmptyRepositoriesNeedNothing) {
    TempTree tree;
    const QByteArray local = tree.mkdir("local");
    testfolders::initRepository(local);
    const QByteArray empty = tree.mkdir("empty");
    git(empty, {"init", "-q", "-b", "main"});
    git(empty, {"remote", "add", "origin", "/nowhere.git"});

    GitService service;
    const GitReading l = service.readState(local);
    EXPECT_EQ(l.state.problem, GitProblem::none);
    EXPECT_TRUE(attentionKeys(projectFrom(local, l)).isEmpty());

    const GitReading e = service.readState(empty);
    EXPECT_EQ(e.state.problem, GitProblem::none) << e.state.problemDetail.toStdString();
    EXPECT_FALSE(e.state.commit);
    EXPECT_FALSE(e.state.lastCommit);
    EXPECT_FALSE(e.lastCommitDate);
    EXPECT_EQ(e.branch, QStringLiteral("main"));
    EXPECT_TRUE(attentionKeys(projectFrom(empty, e)).isEmpty());
}

TEST(GitState, LinkedWorktreeKnowsItsRepository) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("main repo");
    testfolders::initRepository(repo);
    git(repo, {"worktree", "add", "-q", "-b", "feature", tree.path() + "/wt"});
    GitService service;
    const GitReading wt = service.readState(tree.path() + "/wt");
    EXPECT_EQ(wt.state.problem, GitProblem::none);
    EXPECT_EQ(wt.state.worktreeOf, repo);
    EXPECT_EQ(wt.branch, QStringLiteral("feature"));
    EXPECT_FALSE(service.readState(repo).state.worktreeOf);
}

} // namespace
