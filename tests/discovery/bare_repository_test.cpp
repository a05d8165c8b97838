// Bare repositories in every form git makes them: found as projects, read without a working
// tree, never entered, never counted as uncommitted or missing an upstream.
#include "discovery/GitEnvironment.h"
#include "discovery/ProjectScanner.h"
#include "model/Attention.h"
#include "model/SyncText.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

using testfolders::TempTree;
using testfolders::git;

namespace {

const Project* at(const QList<Project>& projects, const QByteArray& path) {
    for (const Project& p : projects) {
        if (p.path == path) return &p;
    }
    return nullptr;
}

TEST(BareRepository, EveryFormIsAProjectReadWithoutAWorkingTree) {
    TempTree tree;
    const QByteArray seed = tree.mkdir("seed");
    tree.write("seed/file", "1\n");
    testfolders::initRepository(seed);
    const QByteArray root = tree.mkdir("root");
    git(root, {"clone", "-q", "--bare", "../seed", "tool.git"});
    git(root, {"clone", "-q", "--mirror", "../seed", "mirror"});
    git(root, {"init", "-q", "--bare", "-b", "trunk", "empty.git"});
    git(root, {"clone", "-q", "--bare", "../seed", "lib.git/nested.git"}); // inside a folder named like one
    // What lies inside a bare repository is git's, not a project.
    tree.write("root/mirror/info/web/package.json", R"({"name":"inside"})");
    // The layout without core.bare = true is no repository.
    tree.write("root/lookalike/HEAD", "ref: refs/heads/main\n");
    tree.write("root/lookalike/config", "[core]\n\tbare = false\n");
    tree.mkdir("root/lookalike/objects");
    tree.mkdir("root/lookalike/refs");

    // The user's git refuses bare repositories it has to discover; ours are named outright.
    tree.write("home/.gitconfig", "[safe]\n\tbareRepository = explicit\n");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", tree.path() + "/home");
    GitService service;
    qputenv("HOME", oldHome);
    ProjectScanner scanner(service);
    const QList<Project> projects = scanner.scanProjects(root, 10).result();
    ASSERT_EQ(projects.size(), 4);

    for (const char* folder : {"tool.git", "mirror", "lib.git/nested.git"}) {
        const Project* p = at(projects, root + "/" + folder);
        ASSERT_TRUE(p) << folder;
        EXPECT_EQ(p->type, ProjectType::unknown);
        EXPECT_TRUE(p->hasGit);
        ASSERT_TRUE(p->git);
        EXPECT_TRUE(p->git->bare);
        EXPECT_EQ(p->git->problem, GitProblem::none) << p->git->problemDetail.toStdString();
        EXPECT_EQ(p->gitBranch, QStringLiteral("main"));
        ASSERT_EQ(p->remotes.size(), 1);
        EXPECT_TRUE(p->remotes[0].url.endsWith(QStringLiteral("/seed")));
        EXPECT_EQ(p->lastModified, QDateTime::fromString("2026-01-31T09:15:00Z", Qt::ISODate));
        ASSERT_TRUE(p->git->commit);
        EXPECT_EQ(p->git->commit->size(), 40);
        EXPECT_EQ(p->git->lastCommit->subject, QStringLiteral("initial"));
        EXPECT_FALSE(p->hasUncommittedChanges);
        EXPECT_FALSE(p->git->detached);
        EXPECT_TRUE(attentionReasons(*p).isEmpty()) << attentionKeys(*p).join(',').toStdString();
        EXPECT_EQ(synctext::syncSummary(*p), QStringLiteral("bare"));
    }
    EXPECT_EQ(at(projects, root + "/tool.git")->name, QStringLiteral("tool"));
    EXPECT_EQ(at(projects, root + "/mirror")->name, QStringLiteral("mirror"));
    const Project* empty = at(projects, root + "/empty.git");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->name, QStringLiteral("empty"));
    EXPECT_EQ(empty->gitBranch, QStringLiteral("trunk"));
    EXPECT_FALSE(empty->git->commit);
    EXPECT_EQ(empty->git->problem, GitProblem::none);
    EXPECT_TRUE(attentionReasons(*empty).isEmpty());
    EXPECT_TRUE(empty->lastModified); // the folder's own time

    // A refresh of the repository alone reads the same.
    const QList<Project> refreshed = scanner.scanProjects(root + "/mirror", 0).result();
    ASSERT_EQ(refreshed.size(), 1);
    EXPECT_TRUE(refreshed[0].git->bare);
    EXPECT_EQ(refreshed[0].git->commit, at(projects, root + "/mirror")->git->commit);
}

TEST(BareRepository, GitIsToldTheRepositoryAndNoOther) {
    TempTree tree;
    const QByteArray bare = tree.mkdir("x.git");
    git(bare, {"init", "-q", "--bare"});
    const QList<QByteArray> env = gitenv::forRepository(gitenv::baseEnvironment({"GIT_DIR=/elsewhere", "PATH=/usr/bin"}), bare);
    EXPECT_EQ(std::count(env.begin(), env.end(), "GIT_DIR=" + bare), 1);
    EXPECT_FALSE(env.contains("GIT_DIR=/elsewhere"));
    const QList<QByteArray> plain = gitenv::forRepository(gitenv::baseEnvironment({"PATH=/usr/bin"}), tree.mkdir("work"));
    EXPECT_TRUE(std::none_of(plain.begin(), plain.end(), [](const QByteArray& e) { return e.startsWith("GIT_DIR="); }));
}

} // namespace
