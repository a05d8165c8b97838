#include "discovery/ProjectScanner.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testfolders::TempTree;

namespace {

QList<Project> scan(const QByteArray& root, int maxDepth = 10) {
    GitService git;
    ProjectScanner scanner(git);
    return scanner.scanProjects(root, maxDepth).result();
}

QStringList names(const QList<Project>& projects) {
    QStringList out;
    for (const Project& p : projects) out.append(p.name);
    return out;
}

const Project* byName(const QList<Project>& projects, const QString& name) {
    for (const Project& p : projects) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

TEST(ProjectScanner, KindRulesAndNameFallbacks) {
    TempTree tree;
    tree.write("both/package.json", R"({"name":"web","version":"1.0"})");
    tree.write("both/pom.xml", "<project><artifactId>jar</artifactId></project>");
    tree.write("maven/pom.xml", "<project><artifactId>svc</artifactId><version>2</version></project>");
    tree.write("py/setup.py", "# no name here");
    tree.write("swifty/Package.swift", "let package = Package(name: \"Declared\")");
    tree.write("rn/package.json", R"({"dependencies":{"react-native":"1","next":"1"}})");
    tree.write("next/package.json", R"({"devDependencies":{"next":"1"}})");
    tree.write("broken/package.json", "{oops");
    tree.mkdir("plain/sub");

    const QList<Project> projects = scan(tree.path());
    ASSERT_EQ(projects.size(), 7) << names(projects).join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(byName(projects, "web")->type, ProjectType::nodeJS);
    EXPECT_EQ(byName(projects, "svc")->type, ProjectType::java);
    EXPECT_EQ(byName(projects, "svc")->version, QStringLiteral("2"));
    EXPECT_EQ(byName(projects, "py")->type, ProjectType::python);
    const Project* swift = byName(projects, "swifty");
    ASSERT_TRUE(swift);
    EXPECT_EQ(swift->type, ProjectType::swift);
    EXPECT_FALSE(swift->version);
    EXPECT_EQ(byName(projects, "rn")->type, ProjectType::reactNative);
    EXPECT_EQ(byName(projects, "next")->type, ProjectType::nextJS);
    const Project* broken = byName(projects, "broken");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->type, ProjectType::nodeJS);
    EXPECT_FALSE(broken->hasGit);
    EXPECT_FALSE(broken->gitBranch);
    ASSERT_TRUE(broken->lastModified); // the folder's own modification time
    EXPECT_EQ(*broken->lastModified, *ProjectScanner::modificationDate(tree.path() + "/broken"));
}

TEST(ProjectScanner, WalkRules) {
    TempTree tree;
    tree.write("package.json", R"({"name":"root-app"})");                  // the root itself
    tree.write("packages/inner/package.json", R"({"name":"inner"})");      // nested in a project
    tree.write("node_modules/dep/package.json", R"({"name":"dep"})");      // skipped name
    tree.write("x/build/gen/package.json", R"({"name":"generated"})");     // skipped at any depth
    tree.write("x/Build/package.json", R"({"name":"capital-build"})");     // look-alike is entered
    tree.write(".hidden/package.json", R"({"name":"hidden"})");            // hidden folder
    tree.write("x/.cache/package.json", R"({"name":"hidden2"})");
    tree.write("target/pom.xml", "<project><artifactId>t</artifactId></project>");
    tree.write("real/package.json", R"({"name":"real"})");
    ASSERT_EQ(::symlink((tree.path() + "/real").constData(), (tree.path() + "/link").constData()), 0);
    ASSERT_EQ(::symlink(tree.path().constData(), (tree.path() + "/x/loop").constData()), 0);

    const QList<Project> projects = scan(tree.path());
    EXPECT_EQ(names(projects), (QStringList{"capital-build", "inner", "real", "root-app"}));
}

TEST(ProjectScanner, RootWithSkippedOrHiddenNameIsStillExamined) {
    TempTree tree;
    tree.write("node_modules/package.json", R"({"name":"top"})");
    tree.write("node_modules/lib/package.json", R"({"name":"lib"})");
    tree.write(".config/tool/pom.xml", "<project><artifactId>tool</artifactId></project>");
    EXPECT_EQ(names(scan(tree.path() + "/node_modules")), (QStringList{"lib", "top"}));
    EXPECT_EQ(names(scan(tree.path() + "/.config")), (QStringList{"tool"}));
}

TEST(ProjectScanner, DepthLimitIsInclusive) {
    TempTree tree;
    QByteArray path;
    for (int depth = 1; depth <= 11; ++depth) {
        path += "d" + QByteArray::number(depth) + "/";
        tree.write(path + "package.json", "{\"name\":\"depth" + QByteArray::number(depth) + "\"}");
    }
    const QList<Project> projects = scan(tree.path());
    EXPECT_TRUE(byName(projects, "depth10"));
    EXPECT_FALSE(byName(projects, "depth11"));
    EXPECT_EQ(projects.size(), 10);
    EXPECT_EQ(scan(tree.path(), 0).size(), 0);
    EXPECT_EQ(names(scan(tree.path(), 1)), QStringList{"depth1"});
}

TEST(ProjectScanner, SortsCaseInsensitivelyAndStably) {
    TempTree tree;
    tree.write("1/package.json", R"({"name":"Banana"})");
    tree.write("2/package.json", R"({"name":"apple"})");
    tree.write("3/package.json", R"({"name":"cherry"})");
    tree.write("4/package.json", R"({"name":"CHERRY"})");
    QList<Project> projects = scan(tree.path());
    ASSERT_EQ(projects.size(), 4);
    EXPECT_EQ(projects[0].name, "apple");
    EXPECT_EQ(projects[1].name, "Banana");

    // Equal names keep their relative order, whatever it was.
    QList<Project> same = projects;
    std::reverse(same.begin(), same.end());
    ProjectScanner::sortByName(same);
    EXPECT_EQ(names(same), (QStringList{"apple", "Banana", "CHERRY", "cherry"}));
}

TEST(ProjectScanner, GitRepositoriesWithAndWithoutMarkers) {
    TempTree tree;
    tree.write("bare/README", "x");
    testfolders::initRepository(tree.path() + "/bare", "2026-01-31T09:15:00Z");
    tree.write("nogit/README", "x");
    tree.write("empty/package.json", R"({"name":"empty"})");
    testfolders::git(tree.path() + "/empty", {"init", "-q", "-b", "trunk"});

    const QList<Project> projects = scan(tree.path());
    ASSERT_EQ(names(projects), (QStringList{"bare", "empty"}));
    const Project& bare = projects[0];
    EXPECT_EQ(bare.type, ProjectType::unknown);
    EXPECT_TRUE(bare.hasGit);
    EXPECT_EQ(bare.gitBranch, QStringLiteral("main"));
    EXPECT_FALSE(bare.hasUncommittedChanges);
    EXPECT_EQ(bare.lastModified, QDateTime(QDate(2026, 1, 31), QTime(9, 15), Qt::UTC));

    // No commits yet: no commit date, so the folder's modification time stands in.
    const Project& empty = projects[1];
    EXPECT_EQ(empty.gitBranch, QStringLiteral("trunk"));
    EXPECT_TRUE(empty.hasUncommittedChanges); // package.json is untracked
    EXPECT_EQ(empty.lastModified, ProjectScanner::modificationDate(tree.path() + "/empty"));
}

TEST(ProjectScanner, AGitFileMakesAnUnknownProject) {
    TempTree tree;
    // A linked worktree or submodule has a ".git" file instead of a folder; this one points nowhere.
    tree.write("worktree/.git", "gitdir: /nonexistent/repo/.git/worktrees/x\n");
    tree.write("worktree/README", "x");
    tree.write("garbage/.git", "not a git file at all");
    const QList<Project> projects = scan(tree.path());
    ASSERT_EQ(names(projects), (QStringList{"garbage", "worktree"}));
    for (const Project& p : projects) {
        EXPECT_EQ(p.type, ProjectType::unknown) << p.name.toStdString();
        EXPECT_TRUE(p.hasGit) << p.name.toStdString();
        EXPECT_TRUE(p.remotes.isEmpty());
        EXPECT_FALSE(p.hasUncommittedChanges);
        // No commit date from a broken repository: the folder's own time stands in.
        EXPECT_EQ(p.lastModified, ProjectScanner::modificationDate(p.path));
    }
}

TEST(ProjectScanner, MarkerFilesAreFollowedThroughLinksAndDanglingLinksCountAsAbsent) {
    TempTree tree;
    const QByteArray shared = tree.write("elsewhere/shared.json", R"({"name":"linked","version":"3"})");
    tree.mkdir("viaLink");
    ASSERT_EQ(::symlink(shared.constData(), (tree.path() + "/viaLink/package.json").constData()), 0);
    tree.mkdir("dangling");
    ASSERT_EQ(::symlink("/nonexistent/package.json", (tree.path() + "/dangling/package.json").constData()), 0);
    // A dangling marker does not hide a later one.
    tree.write("danglingThenPom/pom.xml", "<project><artifactId>pom</artifactId></project>");
    ASSERT_EQ(::symlink("missing.json", (tree.path() + "/danglingThenPom/package.json").constData()), 0);

    const QList<Project> projects = scan(tree.path());
    ASSERT_EQ(names(projects), (QStringList{"linked", "pom"}));
    EXPECT_EQ(byName(projects, "linked")->type, ProjectType::nodeJS);
    EXPECT_EQ(byName(projects, "linked")->version, QStringLiteral("3"));
    EXPECT_EQ(byName(projects, "pom")->type, ProjectType::java);
}

TEST(ProjectScanner, TwoScansOfAnUnchangedFolderDiffer) {
    TempTree tree;
    tree.write("a/package.json", "{}");
    testfolders::initRepository(tree.path() + "/a");
    testfolders::git(tree.path() + "/a", {"remote", "add", "origin", "https://example.com/a.git"});
    const QList<Project> first = scan(tree.path());
    const QList<Project> second = scan(tree.path());
    ASSERT_EQ(first.size(), 1);
    ASSERT_EQ(second.size(), 1);
    EXPECT_NE(first[0], second[0]);
    EXPECT_NE(first[0].id, second[0].id);
    EXPECT_EQ(first[0].id.version(), QUuid::Random);
    EXPECT_EQ(first[0].id.variant(), QUuid::DCE);
    EXPECT_EQ(first[0].remotes[0].id.version(), QUuid::Random);
    EXPECT_NE(first[0].remotes[0].id, second[0].remotes[0].id);
    EXPECT_EQ(first[0].remotes[0].url, second[0].remotes[0].url);
}

TEST(ProjectScanner, RefreshOfAFolderThatIsNoLongerAProject) {
    TempTree tree;
    tree.write("p/package.json", "{}");
    tree.write("p/sub/package.json", R"({"name":"sub"})");
    const QByteArray folder = tree.path() + "/p";
    EXPECT_EQ(names(scan(folder, 0)), QStringList{"p"});
    ASSERT_EQ(::unlink((folder + "/package.json").constData()), 0);
    EXPECT_TRUE(scan(folder, 0).isEmpty());
    EXPECT_TRUE(scan(tree.path() + "/gone", 0).isEmpty());
}

TEST(ProjectScanner, NonUtf8FolderNamesAreWalkedAndGitRunsThere) {
    TempTree tree;
    const QByteArray odd("caf\xE9-\xFF", 6);
    tree.write(odd + "/inner/package.json", R"({"version":"1"})");
    testfolders::initRepository(tree.path() + "/" + odd + "/inner");

    const QList<Project> projects = scan(tree.path());
    ASSERT_EQ(projects.size(), 1);
    EXPECT_EQ(projects[0].path, tree.path() + "/" + odd + "/inner");
    EXPECT_EQ(projects[0].name, "inner");
    EXPECT_EQ(projects[0].gitBranch, QStringLiteral("main"));

    const QByteArray oddProject("\xC3(", 2);
    tree.write(oddProject + "/pom.xml", "<version>1</version>");
    const QList<Project> again = scan(tree.path());
    const auto it = std::find_if(again.begin(), again.end(), [&](const Project& p) { return p.type == ProjectType::java; });
    ASSERT_NE(it, again.end());
    EXPECT_TRUE(it->name.contains(QChar(0xFFFD))); // shown with a replacement character
    EXPECT_EQ(it->path, tree.path() + "/" + oddProject); // kept as the real bytes
}

TEST(ProjectScanner, ListingDeniedFolderStillYieldsItsOwnProject) {
    TempTree tree;
    tree.write("locked/package.json", R"({"name":"locked"})");
    tree.write("locked/child/package.json", R"({"name":"child"})");
    tree.write("open/package.json", R"({"name":"open"})");
    const QByteArray locked = tree.path() + "/locked";
    ASSERT_EQ(::chmod(locked.constData(), 0311), 0); // may be entered, not listed
    ASSERT_EQ(::chmod(tree.path().constData(), 0755), 0);

    // Root ignores permissions, so the scan runs in a child that drops to an ordinary user.
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        GitService git;
        ProjectScanner scanner(git);
        QList<Project> projects;
        scanner.scanDirectory(tree.path(), 0, 10, projects);
        QStringList found;
        for (const Project& p : projects) found.append(p.name);
        found.sort();
        ::_exit(found == QStringList{"locked", "open"} ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::chmod(locked.constData(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: wrong projects, 3: could not drop privileges";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
