#include "discovery/ProjectScanner.h"
#include "model/Attention.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

using testfolders::TempTree;

namespace {

QList<Project> scan(const QByteArray& root, int maxDepth = 10) {
    GitService git;
    ProjectScanner scanner(git);
    return scanner.scanProjects(root, maxDepth).result();
}

const Project* byName(const QList<Project>& projects, const QString& name) {
    for (const Project& p : projects) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

TEST(ScannerGitState, PackagesInsideARepositoryKnowIt) {
    TempTree tree;
    tree.write("mono/package.json", R"({"name":"mono"})");
    tree.write("mono/packages/a/package.json", R"({"name":"a"})");
    tree.write("mono/packages/a/nested/inner/package.json", R"({"name":"inner"})");
    tree.write("mono/sub/pom.xml", "<project><artifactId>sub</artifactId></project>");
    const QByteArray mono = tree.path() + "/mono";
    testfolders::initRepository(mono);
    tree.write("mono/sub/.git", "gitdir: /nowhere\n"); // a broken repository of its own
    tree.write("mono/sub/lib/package.json", R"({"name":"lib"})");
    tree.write("alone/package.json", R"({"name":"alone"})");

    const QList<Project> projects = scan(tree.path());
    ASSERT_EQ(projects.size(), 6);
    const Project* root = byName(projects, "mono");
    ASSERT_TRUE(root && root->git);
    EXPECT_FALSE(root->repository);
    EXPECT_EQ(root->git->problem, GitProblem::none);
    EXPECT_TRUE(root->git->commit);

    for (const char* name : {"a", "inner"}) {
        const Project* p = byName(projects, name);
        ASSERT_TRUE(p) << name;
        EXPECT_FALSE(p->hasGit);
        EXPECT_FALSE(p->git);
        EXPECT_EQ(p->repository, mono) << name;
        EXPECT_TRUE(attentionKeys(*p).isEmpty());
    }
    // The nearest repository wins, even one git cannot read.
    const Project* sub = byName(projects, "sub");
    ASSERT_TRUE(sub && sub->git);
    EXPECT_EQ(sub->git->problem, GitProblem::notARepository);
    EXPECT_FALSE(sub->hasUncommittedChanges);
    EXPECT_EQ(byName(projects, "lib")->repository, mono + "/sub");
    EXPECT_FALSE(byName(projects, "alone")->repository);

    // A refresh of one package (depth 0) still finds the repository above it.
    const QList<Project> refreshed = scan(mono + "/packages/a", 0);
    ASSERT_EQ(refreshed.size(), 1);
    EXPECT_EQ(refreshed[0].repository, mono);
}

TEST(ScannerGitState, OldFieldsKeepTheirMeaning) {
    TempTree tree;
    tree.write("repo/file", "1");
    const QByteArray repo = tree.path() + "/repo";
    testfolders::initRepository(repo, "2026-01-31T09:15:00Z");
    tree.write("repo/untracked", "x");
    const QList<Project> projects = scan(repo, 0);
    ASSERT_EQ(projects.size(), 1);
    const Project& p = projects[0];
    EXPECT_EQ(p.gitBranch, QStringLiteral("main"));
    EXPECT_TRUE(p.hasUncommittedChanges);
    EXPECT_EQ(p.lastModified, QDateTime(QDate(2026, 1, 31), QTime(9, 15), Qt::UTC));
    ASSERT_TRUE(p.git);
    EXPECT_EQ(p.git->untracked, 1);
    ASSERT_TRUE(p.git->lastCommit);
    EXPECT_EQ(p.git->lastCommit->subject, QStringLiteral("initial"));
}

} // namespace
