// The environment of the scan's git runs: what it inherits cannot re-enable a program or
// select another repository, and a ".git" that is not a repository is not answered by a
// parent one.

#include "GitSafetySupport.h"
#include "discovery/GitEnvironment.h"
#include "discovery/GitService.h"

using namespace gitsafety;
using testfolders::TempTree;
using testfolders::git;

namespace {

QByteArray fsmonitorRepository(const TempTree& tree, const QByteArray& marker, QByteArray* hook) {
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/file", "1\n");
    testfolders::initRepository(repo);
    *hook = writeScript(tree, "hook.sh", "touch '" + marker + "'\n");
    return repo;
}

TEST(GitEnvironment, InheritedConfigurationCannotReEnableAProgram) {
    struct Case {
        const char* label;
        std::vector<std::pair<const char*, QByteArray>> variables; // "HOOK" stands for the program
        bool wellFormed;
    };
    const std::vector<Case> cases = {
        {"GIT_CONFIG_PARAMETERS", {{"GIT_CONFIG_PARAMETERS", "'core.fsmonitor'='HOOK'"}}, true},
        {"older GIT_CONFIG_PARAMETERS", {{"GIT_CONFIG_PARAMETERS", "'core.fsmonitor=HOOK'"}}, true},
        {"GIT_CONFIG_COUNT", {{"GIT_CONFIG_COUNT", "1"}, {"GIT_CONFIG_KEY_0", "core.fsmonitor"},
                              {"GIT_CONFIG_VALUE_0", "HOOK"}}, true},
        {"malformed count", {{"GIT_CONFIG_COUNT", "one"}, {"GIT_CONFIG_KEY_0", "core.fsmonitor"},
                             {"GIT_CONFIG_VALUE_0", "HOOK"}}, false},
        {"count past the entries", {{"GIT_CONFIG_COUNT", "2"}, {"GIT_CONFIG_KEY_0", "core.fsmonitor"},
                                    {"GIT_CONFIG_VALUE_0", "HOOK"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempTree tree;
        const QByteArray marker = tree.path() + "/fsmonitor-ran";
        QByteArray hook;
        const QByteArray repo = fsmonitorRepository(tree, marker, &hook);
        std::vector<std::pair<QString, QString>> extra;
        std::vector<std::unique_ptr<ScopedVariable>> scoped;
        for (const auto& [name, value] : c.variables) {
            QByteArray v = value;
            v.replace("HOOK", hook);
            extra.push_back({QString::fromUtf8(name), QString::fromUtf8(v)});
            scoped.push_back(std::make_unique<ScopedVariable>(name, v));
        }
        if (c.wellFormed) {
            plainGit(repo, {"status", "--porcelain"}, extra);
            ASSERT_TRUE(fileExists(marker)) << "control: plain git takes the inherited setting";
            ASSERT_EQ(::unlink(marker.constData()), 0);
        }
        GitService service; // takes the environment when it is made
        EXPECT_EQ(service.getCurrentBranch(repo), QStringLiteral("main"));
        EXPECT_FALSE(service.checkUncommittedChanges(repo));
        EXPECT_FALSE(fileExists(marker)) << "the scan ran the inherited fsmonitor program";
    }
}

TEST(GitEnvironment, InheritedSettingsAreKeptInOrderBeforeTheForcedOnes) {
    const QList<QByteArray> env = gitenv::baseEnvironment({
        "PATH=/usr/bin::bin:./x:/bin", "PATH=/second", "GIT_DIR=/elsewhere/.git", "GIT_WORK_TREE=/elsewhere",
        "GIT_INDEX_FILE=/i", "GIT_OBJECT_DIRECTORY=/o", "GIT_COMMON_DIR=/c", "GIT_NAMESPACE=n",
        "GIT_CEILING_DIRECTORIES=/", "GIT_OPTIONAL_LOCKS=1", "GIT_PAGER=less", "HOME=/home/u",
        "GIT_CONFIG_COUNT=1", "GIT_CONFIG_KEY_0=user.name", "GIT_CONFIG_VALUE_0=A",
        "GIT_CONFIG_PARAMETERS='color.ui'='it'\\''s' 'core.fsmonitor=/hook' 'bad key'='x' 'push.default'",
    });
    EXPECT_EQ(env.count("PATH=/usr/bin:/bin"), 1) << "relative and repeated PATH entries are dropped";
    for (const QByteArray& entry : env) {
        EXPECT_FALSE(entry.startsWith("GIT_DIR=") || entry.startsWith("GIT_WORK_TREE=") ||
                     entry.startsWith("GIT_INDEX_FILE=") || entry.startsWith("GIT_OBJECT_DIRECTORY=") ||
                     entry.startsWith("GIT_COMMON_DIR=") || entry.startsWith("GIT_NAMESPACE=") ||
                     entry.startsWith("GIT_CEILING_DIRECTORIES=") || entry.startsWith("GIT_CONFIG_PARAMETERS="))
            << entry.constData();
    }
    EXPECT_TRUE(env.contains("HOME=/home/u"));
    EXPECT_TRUE(env.contains("GIT_OPTIONAL_LOCKS=0"));
    EXPECT_TRUE(env.contains("GIT_PAGER=cat"));
    EXPECT_FALSE(env.contains("GIT_OPTIONAL_LOCKS=1"));
    // The user's entries first, in git's order, the invalid key left out.
    EXPECT_TRUE(env.contains("GIT_CONFIG_KEY_0=user.name"));
    EXPECT_TRUE(env.contains("GIT_CONFIG_KEY_1=color.ui"));
    EXPECT_TRUE(env.contains("GIT_CONFIG_VALUE_1=it's"));
    EXPECT_TRUE(env.contains("GIT_CONFIG_KEY_2=core.fsmonitor"));
    EXPECT_TRUE(env.contains("GIT_CONFIG_VALUE_2=/hook"));
    EXPECT_TRUE(env.contains("GIT_CONFIG_KEY_3=push.default"));
    EXPECT_TRUE(env.contains("GIT_CONFIG_VALUE_3=true"));
    // Then the forced keys, so the last fsmonitor value is ours.
    EXPECT_TRUE(env.contains("GIT_CONFIG_KEY_4=core.fsmonitor"));
    EXPECT_TRUE(env.contains("GIT_CONFIG_VALUE_4=false"));

    // What a child really receives.
    TempTree tree;
    const QByteArray fake = writeScript(tree, "git", "printf '%s|%s' \"$GIT_OPTIONAL_LOCKS\" \"$GIT_CEILING_DIRECTORIES\"\n");
    EXPECT_EQ(GitService(fake).runGit({}, tree.path() + "/"), "0|" + QString::fromLocal8Bit(
        tree.path().left(tree.path().lastIndexOf('/'))));
}

TEST(GitEnvironment, InheritedRepositoryVariablesDoNotSelectAnotherRepository) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/file", "1\n");
    testfolders::initRepository(repo);
    git(repo, {"remote", "add", "origin", "https://example.com/repo.git"});
    const QByteArray other = tree.mkdir("other");
    tree.write("other/file", "2\n");
    testfolders::initRepository(other);
    git(other, {"checkout", "-q", "-b", "other-branch"});
    tree.write("other/untracked", "x");

    ScopedVariable dir("GIT_DIR", other + "/.git");
    ScopedVariable workTree("GIT_WORK_TREE", other);
    ScopedVariable index("GIT_INDEX_FILE", other + "/.git/index");
    ScopedVariable objects("GIT_OBJECT_DIRECTORY", other + "/.git/objects");
    ScopedVariable common("GIT_COMMON_DIR", other + "/.git");
    ScopedVariable space("GIT_NAMESPACE", QByteArray("ns"));
    ScopedVariable ceiling("GIT_CEILING_DIRECTORIES", QByteArray());
    GitService service;
    EXPECT_EQ(service.getCurrentBranch(repo), QStringLiteral("main"));
    EXPECT_FALSE(service.checkUncommittedChanges(repo));
    const QList<GitRemote> remotes = service.getRemotes(repo);
    ASSERT_EQ(remotes.size(), 1);
    EXPECT_EQ(remotes[0].url, QStringLiteral("https://example.com/repo.git"));
}

TEST(GitEnvironment, ADotGitThatIsNoRepositoryIsNotAnsweredByTheParent) {
    // The parent's path holds a ':', which a ceiling list cannot express, in the second round.
    for (const char* name : {"parent", "par:ent"}) {
        SCOPED_TRACE(name);
        const QByteArray parentName(name);
        TempTree tree;
        const QByteArray parent = tree.mkdir(parentName);
        tree.write(parentName + "/file", "1\n");
        testfolders::initRepository(parent);
        git(parent, {"checkout", "-q", "-b", "parent-branch"});
        git(parent, {"remote", "add", "origin", "https://example.com/parent.git"});
        tree.write(parentName + "/untracked", "x");
        const QByteArray child = tree.mkdir(parentName + "/child/.git").chopped(5);
        tree.write(parentName + "/junk/.git/HEAD", "not a ref\n");
        const QByteArray junk = parent + "/junk";

        EXPECT_EQ(plainGit(child, {"branch", "--show-current"}).output, "parent-branch\n")
            << "control: plain git answers for the parent";
        GitService service;
        for (const QByteArray& folder : {child, junk}) {
            EXPECT_NE(service.getCurrentBranch(folder), QStringLiteral("parent-branch"));
            EXPECT_TRUE(service.getRemotes(folder).isEmpty());
            EXPECT_FALSE(service.checkUncommittedChanges(folder));
            EXPECT_FALSE(service.getLastCommitDate(folder));
        }
        EXPECT_EQ(service.getCurrentBranch(parent), QStringLiteral("parent-branch")); // still answered itself
    }
}

} // namespace
