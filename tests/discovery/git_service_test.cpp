#include "discovery/GitService.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using testfolders::TempTree;
using testfolders::writeScript;
using testfolders::git;

namespace {

TEST(GitService, RemotesKeepTheFetchLocationAndSortOrdinally) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    git(repo, {"remote", "add", "origin", "https://example.com/fetch.git"});
    git(repo, {"remote", "set-url", "--push", "origin", "ssh://example.com/push.git"});
    git(repo, {"remote", "add", "Upstream", "https://example.com/up.git"});
    git(repo, {"remote", "add", "backup", "/srv/backup.git"});

    GitService service;
    const QList<GitRemote> remotes = service.getRemotes(repo);
    ASSERT_EQ(remotes.size(), 3);
    EXPECT_EQ(remotes[0].name, "Upstream"); // capitals sort first
    EXPECT_EQ(remotes[1].name, "backup");
    EXPECT_EQ(remotes[2].name, "origin");
    EXPECT_EQ(remotes[2].url, "https://example.com/fetch.git");
    EXPECT_NE(remotes[1].id, remotes[2].id);
    EXPECT_FALSE(remotes[0].id.isNull());
}

TEST(GitService, BranchChangesAndCommitDate) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/file", "1");
    testfolders::initRepository(repo, "2026-01-31T09:15:00Z");
    GitService service;
    EXPECT_EQ(service.getCurrentBranch(repo), QStringLiteral("main"));
    EXPECT_FALSE(service.checkUncommittedChanges(repo));
    EXPECT_EQ(service.getLastCommitDate(repo), QDateTime(QDate(2026, 1, 31), QTime(9, 15), Qt::UTC));

    tree.write("repo/untracked", "x");
    EXPECT_TRUE(service.checkUncommittedChanges(repo));

    git(repo, {"checkout", "-q", "--detach"});
    EXPECT_EQ(service.getCurrentBranch(repo), QString()); // present but empty
    EXPECT_TRUE(service.getCurrentBranch(repo).has_value());
}

TEST(GitService, LinkedWorktreeWithGitFileCountsAsRepository) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    git(repo, {"worktree", "add", "-q", "-b", "feature", tree.path() + "/wt"});
    struct stat st;
    ASSERT_EQ(::stat((tree.path() + "/wt/.git").constData(), &st), 0);
    ASSERT_TRUE(S_ISREG(st.st_mode));
    GitService service;
    EXPECT_TRUE(service.isGitRepository(tree.path() + "/wt"));
    EXPECT_EQ(service.getCurrentBranch(tree.path() + "/wt"), QStringLiteral("feature"));
    EXPECT_FALSE(service.isGitRepository(tree.path()));
}

TEST(GitService, MissingGitOrFolderGivesEmptyAnswers) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    GitService missing("/nonexistent/git");
    EXPECT_FALSE(missing.getCurrentBranch(repo));
    EXPECT_TRUE(missing.getRemotes(repo).isEmpty());
    EXPECT_FALSE(missing.checkUncommittedChanges(repo));
    EXPECT_FALSE(missing.getLastCommitDate(repo));

    GitService real;
    EXPECT_FALSE(real.runGit({"status"}, tree.path() + "/gone"));
}

TEST(GitService, OutputThatIsNotUtf8IsNothing) {
    TempTree tree;
    const QByteArray fake = writeScript(tree, "git", "printf 'caf\\351\\n'\n");
    GitService service(fake);
    EXPECT_FALSE(service.getCurrentBranch(tree.path()));
    EXPECT_FALSE(service.runGit({"x"}, tree.path()));
}

TEST(GitService, LargeOutputIsDrainedWhileGitRuns) {
    TempTree tree;
    // 2 MB on standard output, then exit: a runner that waits before reading would deadlock.
    const QByteArray fake = writeScript(tree, "git", "head -c 2000000 /dev/zero | tr '\\0' 'a'\n");
    GitService service(fake);
    const auto out = service.runGit({"log"}, tree.path());
    ASSERT_TRUE(out);
    EXPECT_EQ(out->size(), 2000000);
}

TEST(GitService, HangingGitIsKilledAtTheTimeLimit) {
    TempTree tree;
    const QByteArray marker = tree.path() + "/still-running";
    // The child keeps the pipe open and never ends; its own child would outlive a plain kill.
    const QByteArray fake = writeScript(tree, "git", "(sleep 30; touch '" + marker + "') &\nexec sleep 30\n");
    GitService service(fake, std::chrono::milliseconds(300));
    EXPECT_FALSE(service.getCurrentBranch(tree.path()));
    EXPECT_FALSE(service.getLastCommitDate(tree.path()));
    // The whole process group was killed, so the background child cannot leave its marker.
    struct stat st;
    EXPECT_NE(::stat(marker.constData(), &st), 0);
}

TEST(GitService, RepositoryFsmonitorProgramIsNeverRun) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/file", "1");
    testfolders::initRepository(repo);
    const QByteArray marker = tree.path() + "/fsmonitor-ran";
    const QByteArray hook = writeScript(tree, "hook.sh", "touch '" + marker + "'\n");
    git(repo, {"config", "core.fsmonitor", QString::fromUtf8(hook)});

    // Control: a plain git status in this repository does run the program.
    git(repo, {"status", "--porcelain"});
    struct stat st;
    ASSERT_EQ(::stat(marker.constData(), &st), 0) << "the repository's fsmonitor hook should run under plain git";
    ASSERT_EQ(::unlink(marker.constData()), 0);

    GitService service;
    service.checkUncommittedChanges(repo);
    service.getCurrentBranch(repo);
    EXPECT_NE(::stat(marker.constData(), &st), 0) << "the scan ran the repository's fsmonitor program";
}

TEST(GitService, StatusLeavesNoIndexLockBehind) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/file", "1");
    testfolders::initRepository(repo);
    // A stale index (newer mtime on a tracked file) makes a locking status rewrite the index.
    tree.write("repo/file", "1");
    struct stat before;
    ASSERT_EQ(::stat((repo + "/.git/index").constData(), &before), 0);
    GitService service;
    service.checkUncommittedChanges(repo);
    struct stat after;
    ASSERT_EQ(::stat((repo + "/.git/index").constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "git status replaced the index (it took the index lock)";
}

TEST(RemoteParsing, LinesFieldsAndDuplicates) {
    const QList<GitRemote> r = parseRemotes(
        "origin\thttps://a (fetch)\r\norigin\thttps://b (push)\n\nlonely\n"
        "\u2028z\u3000url-z  (fetch)\u0085B\tb-url");
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0].name, "B");
    EXPECT_EQ(r[1].name, "origin");
    EXPECT_EQ(r[1].url, "https://a");
    EXPECT_EQ(r[2].name, "z");
    EXPECT_EQ(r[2].url, "url-z");
}

TEST(CommitTime, WholeTextMustBeANumber) {
    EXPECT_EQ(parseCommitTime("1769850900"), QDateTime(QDate(2026, 1, 31), QTime(9, 15), Qt::UTC));
    EXPECT_EQ(parseCommitTime("1.5")->toMSecsSinceEpoch(), 1500);
    EXPECT_FALSE(parseCommitTime(""));
    EXPECT_FALSE(parseCommitTime("12abc"));
    EXPECT_FALSE(parseCommitTime("nan"));
    EXPECT_FALSE(parseCommitTime("inf"));
    EXPECT_FALSE(parseCommitTime("1e300"));
    EXPECT_FALSE(parseCommitTime("١٢٣")); // digits of another script are not C-locale numbers
}

} // namespace
