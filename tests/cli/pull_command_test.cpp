// codeorchardist-scan --pull on real repositories: one line per repository, JSON, exit status.
#include "CommandRun.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

#include <atomic>

using testfolders::git;
using testfolders::TempTree;

namespace {

// Under `root`: "behind" (a commit to take), "changes" (the same, but a local file in the way),
// "local" (no remote), "diverged", and a package without a repository of its own; the bare
// remote lives outside.
struct Repositories {
    TempTree tree;
    QByteArray root = tree.mkdir("root");

    Repositories() {
        const QByteArray seed = tree.mkdir("seed");
        testfolders::initRepository(seed);
        git(tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
        const QString remote = QString::fromUtf8(tree.path() + "/remote.git");
        for (const char* name : {"behind", "changes", "diverged"}) git(root, {"clone", "-q", remote, name});
        tree.write("seed/new.txt", "theirs\n");
        git(seed, {"add", "-A"});
        git(seed, {"commit", "-qm", "new"});
        git(seed, {"push", "-q", remote, "HEAD:main"});
        tree.write("root/changes/new.txt", "mine\n");
        tree.write("root/diverged/own.txt", "own\n");
        git(root + "/diverged", {"add", "-A"});
        git(root + "/diverged", {"commit", "-qm", "own"});
        const QByteArray local = tree.mkdir("root/local");
        testfolders::initRepository(local);
        tree.write("root/package/package.json", "{}");
    }
};

TEST(PullCommand, PullsWhatCanBeFastForwardedAndSaysWhyNotForTheRest) {
    Repositories repos;
    const std::string root = repos.root.toStdString();
    const clitest::CommandResult text = clitest::run({"--pull", "--no-progress", root});
    EXPECT_EQ(text.status, 0) << text.err; // nothing failed; skipped ones are not failures
    EXPECT_EQ(text.out, "behind: pulled: Fast-forwarded to origin/main (1 commit)\n"
                        "changes: skipped: Local changes would be overwritten: new.txt\n"
                        "diverged: skipped: Nothing to pull: 1 commit to push\n"
                        "local: skipped: The branch has no upstream\n");
    QFile mine(QString::fromUtf8(repos.root + "/changes/new.txt"));
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("mine\n"));

    const clitest::CommandResult json = clitest::run({"--pull", "--format", "json", root});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "[\n  {\"path\": \"" + root + "/behind\", \"result\": \"up-to-date\", \"reason\": \"Up to date with origin/main\"},\n"
                        "  {\"path\": \"" + root + "/changes\", \"result\": \"skipped\", \"reason\": \"Local changes would be overwritten: new.txt\"},\n"
                        "  {\"path\": \"" + root + "/diverged\", \"result\": \"skipped\", \"reason\": \"Nothing to pull: 1 commit to push\"},\n"
                        "  {\"path\": \"" + root + "/local\", \"result\": \"skipped\", \"reason\": \"The branch has no upstream\"}\n]\n");
}

TEST(PullCommand, AFailedPullExitsWithOneAndAnInterruptWith130) {
    Repositories repos;
    git(repos.root + "/behind", {"remote", "set-url", "origin", QString::fromUtf8(repos.tree.path() + "/gone.git")});
    const clitest::CommandResult failed = clitest::run({"--pull", repos.root.toStdString()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("behind: failed: Fetch failed: "), std::string::npos) << failed.out;

    std::atomic<bool> interrupted{true};
    const clitest::CommandResult stopped =
        clitest::run({"--pull", repos.root.toStdString()}, ScanCommandContext{nullptr, &interrupted, {}});
    EXPECT_EQ(stopped.status, 130);
    EXPECT_EQ(stopped.out, "");

    const clitest::CommandResult usage = clitest::run({"--pull", "--format", "tree", repos.root.toStdString()});
    EXPECT_EQ(usage.status, 2);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
