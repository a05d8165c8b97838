#include "discovery/GitService.h"
#include "model/Attention.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using testfolders::TempTree;
using testfolders::writeScript;
using testfolders::git;

namespace {

bool chownTree(const QByteArray& path, uid_t uid, gid_t gid) {
    const QByteArray cmd = "chown -R " + QByteArray::number(uid) + ":" + QByteArray::number(gid) + " '" + path + "'";
    return std::system(cmd.constData()) == 0;
}

// What a problem leaves: no state, never "clean" for the views (attention says "problem").
void expectProblemOnly(const GitReading& reading, GitProblem problem) {
    EXPECT_EQ(reading.state.problem, problem) << reading.state.problemDetail.toStdString();
    EXPECT_FALSE(reading.hasUncommittedChanges);
    EXPECT_FALSE(reading.state.commit);
    EXPECT_FALSE(reading.state.upstream);
    Project p;
    p.hasGit = true;
    p.git = reading.state;
    EXPECT_EQ(attentionKeys(p), QStringList{"problem"});
}

TEST(GitProblems, RepositoryOwnedByAnotherUserIsNotTrusted) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the repository to another user";
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    TempTree tree;
    const QByteArray repo = tree.mkdir("theirs");
    tree.write("theirs/file", "1");
    testfolders::initRepository(repo);
    tree.write("theirs/file", "changed"); // a change git would report if it read the repository
    ASSERT_TRUE(chownTree(repo, nobody->pw_uid, nobody->pw_gid));

    GitService service;
    const GitReading reading = service.readState(repo);
    expectProblemOnly(reading, GitProblem::dubiousOwnership);
    EXPECT_TRUE(reading.state.problemDetail.contains(QStringLiteral("dubious ownership")));
    EXPECT_EQ(reading.branch, QString()); // the branch keeps the empty text of a failing git
    ASSERT_TRUE(chownTree(repo, ::geteuid(), ::getegid()));
}

TEST(GitProblems, BrokenGitFileOrFolderIsNotARepository) {
    TempTree tree;
    // Inside another repository: git would answer for that one if it were asked.
    const QByteArray outer = tree.mkdir("outer");
    tree.write("outer/file", "1");
    testfolders::initRepository(outer);
    tree.write("outer/file", "changed");
    tree.write("outer/brokenfile/.git", "gitdir: /does/not/exist\n");
    tree.write("outer/garbage/.git", "not a gitdir line\n");
    tree.mkdir("outer/emptydir/.git");

    GitService service;
    for (const char* name : {"brokenfile", "garbage", "emptydir"}) {
        SCOPED_TRACE(name);
        expectProblemOnly(service.readState(outer + "/" + name), GitProblem::notARepository);
    }
}

TEST(GitProblems, MissingHangingAndFailingGit) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);

    GitService missing("/nonexistent/git");
    const GitReading m = missing.readState(repo);
    expectProblemOnly(m, GitProblem::gitMissing);
    EXPECT_FALSE(m.branch); // as before: git that cannot start leaves the branch absent

    GitService hanging(writeScript(tree, "hang", "exec sleep 30\n"), std::chrono::milliseconds(200));
    expectProblemOnly(hanging.readState(repo), GitProblem::timeout);

    GitService failing(writeScript(tree, "fail", "echo 'error: something broke' >&2\necho 'more' >&2\nexit 3\n"));
    const GitReading f = failing.readState(repo);
    expectProblemOnly(f, GitProblem::failed);
    EXPECT_EQ(f.state.problemDetail, QStringLiteral("error: something broke"));
}

TEST(GitProblems, OnlyStatusFailingStillCountsAsAProblem) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    // A git that answers everything except status, as a damaged index would make it.
    const QByteArray fake = writeScript(tree, "git",
                                        "if [ \"$1\" = status ]; then echo 'fatal: index file corrupt' >&2; exit 128; fi\n"
                                        "exec /usr/bin/git \"$@\"\n");
    GitService service(fake);
    const GitReading reading = service.readState(repo);
    EXPECT_EQ(reading.state.problem, GitProblem::failed);
    EXPECT_EQ(reading.state.problemDetail, QStringLiteral("fatal: index file corrupt"));
    EXPECT_EQ(reading.branch, QStringLiteral("main"));
    EXPECT_FALSE(reading.hasUncommittedChanges);
}

} // namespace
