// Repository files that would block git (a FIFO) or feed it without end (a device) are found
// before git runs, and then git is not started at all.

#include "GitSafetySupport.h"
#include "discovery/GitPreflight.h"
#include "discovery/GitService.h"

#include <cstring>
#include <functional>
#include <sys/socket.h>
#include <sys/un.h>

using namespace gitsafety;
using testfolders::TempTree;
using testfolders::git;

namespace {

void makeFifo(const QByteArray& path) {
    ::unlink(path.constData());
    ASSERT_EQ(::mkfifo(path.constData(), 0644), 0) << path.constData();
}

void makeLink(const QByteArray& target, const QByteArray& path) {
    ::unlink(path.constData());
    ASSERT_EQ(::symlink(target.constData(), path.constData()), 0) << path.constData();
}

struct HostileCase {
    const char* label;
    std::function<void(const TempTree&, const QByteArray& repo)> spoil;
};

TEST(GitPreflight, HostileRepositoryFilesStopGitBeforeItStarts) {
    const std::vector<HostileCase> cases = {
        {"HEAD is a FIFO", [](const TempTree&, const QByteArray& repo) { makeFifo(repo + "/.git/HEAD"); }},
        {"config is a FIFO", [](const TempTree&, const QByteArray& repo) { makeFifo(repo + "/.git/config"); }},
        {"index is a FIFO", [](const TempTree&, const QByteArray& repo) { makeFifo(repo + "/.git/index"); }},
        {"the branch ref is a FIFO",
         [](const TempTree&, const QByteArray& repo) {
             git(repo, {"pack-refs", "--all", "--prune"});
             makeFifo(repo + "/.git/refs/heads/main");
         }},
        {"a split index part is a FIFO", [](const TempTree&, const QByteArray& repo) {
             makeFifo(repo + "/.git/sharedindex.0000000000000000000000000000000000000000");
         }},
        {"the head commit is a FIFO",
         [](const TempTree&, const QByteArray& repo) {
             const QByteArray oid = git(repo, {"rev-parse", "HEAD"}).trimmed();
             makeFifo(repo + "/.git/objects/" + oid.left(2) + '/' + oid.mid(2));
         }},
        {"a pack index is a FIFO",
         [](const TempTree&, const QByteArray& repo) {
             git(repo, {"gc", "-q"});
             makeFifo(repo + "/.git/objects/pack/pack-0000000000000000000000000000000000000000.idx");
         }},
        {"a legacy remote file is a FIFO", [](const TempTree& tree, const QByteArray& repo) {
             tree.mkdir("repo/.git/remotes");
             makeFifo(repo + "/.git/remotes/origin");
         }},
        {".gitattributes is a FIFO", [](const TempTree&, const QByteArray& repo) { makeFifo(repo + "/.gitattributes"); }},
        {".git is a FIFO",
         [](const TempTree&, const QByteArray& repo) {
             ASSERT_EQ(::rename((repo + "/.git").constData(), (repo + "/moved").constData()), 0);
             makeFifo(repo + "/.git");
         }},
        {".git is a device",
         [](const TempTree&, const QByteArray& repo) {
             ASSERT_EQ(::rename((repo + "/.git").constData(), (repo + "/moved").constData()), 0);
             makeLink("/dev/null", repo + "/.git");
         }},
        {"config is an endless device", [](const TempTree&, const QByteArray& repo) {
             makeLink("/dev/zero", repo + "/.git/config");
         }},
        {"an included file is a FIFO",
         [](const TempTree&, const QByteArray& repo) {
             git(repo, {"config", "include.path", "more.cfg"});
             makeFifo(repo + "/.git/more.cfg");
         }},
        {".gitmodules is not valid", [](const TempTree& tree, const QByteArray&) {
             tree.write("repo/.gitmodules", "[submodule \"lib\"\n\tignore = none\n");
         }},
        {"the excludes file the configuration names is a FIFO", [](const TempTree& tree, const QByteArray& repo) {
             git(repo, {"config", "core.excludesFile", "../ignored"});
             makeFifo(tree.path() + "/ignored");
         }},
        {"includes loop", [](const TempTree&, const QByteArray& repo) { git(repo, {"config", "include.path", "config"}); }},
        {".git file is no gitdir line", [](const TempTree& tree, const QByteArray& repo) {
             ASSERT_EQ(::rename((repo + "/.git").constData(), (repo + "/moved").constData()), 0);
             tree.write("repo/.git", "this is not a gitdir line\n");
         }},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempTree tree;
        const QByteArray repo = tree.mkdir("repo");
        tree.write("repo/file", "1\n");
        testfolders::initRepository(repo);
        const QByteArray marker = tree.path() + "/git-started";
        const QByteArray fakeGit = writeScript(tree, "git", "touch '" + marker + "'\necho main\n");

        EXPECT_FALSE(gitPreflightProblem(repo));
        EXPECT_EQ(GitService(fakeGit).getCurrentBranch(repo), QStringLiteral("main")) << "the stand-in git works";
        ASSERT_EQ(::unlink(marker.constData()), 0);

        c.spoil(tree, repo);
        const std::optional<QString> problem = gitPreflightProblem(repo);
        ASSERT_TRUE(problem);
        EXPECT_FALSE(problem->isEmpty());
        GitService service(fakeGit);
        EXPECT_FALSE(service.getCurrentBranch(repo));
        EXPECT_TRUE(service.getRemotes(repo).isEmpty());
        EXPECT_FALSE(service.checkUncommittedChanges(repo));
        EXPECT_FALSE(service.getLastCommitDate(repo));
        EXPECT_FALSE(fileExists(marker)) << "git was started";
    }
}

TEST(GitPreflight, WorktreesSubmodulesAndPlainFoldersPass) {
    TempTree tree;
    const QByteArray library = tree.mkdir("library");
    testfolders::initRepository(library);
    const QByteArray app = tree.mkdir("app");
    tree.write("app/readme", "app\n");
    testfolders::initRepository(app);
    git(app, {"-c", "protocol.file.allow=always", "submodule", "add", "-q", QString::fromUtf8(library), "lib"});
    git(app, {"worktree", "add", "-q", "-b", "feature", QString::fromUtf8(tree.path() + "/wt")});
    // A daemon's socket in the git folder cannot be opened, so it does not hold git up.
    const QByteArray socketPath = app + "/.git/fsmonitor--daemon.ipc";
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(socketPath.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);

    for (const QByteArray& folder : {app, app + "/lib", tree.path() + "/wt", tree.mkdir("plain")}) {
        SCOPED_TRACE(folder.constData());
        EXPECT_EQ(gitPreflightProblem(folder), std::nullopt);
    }
    GitService service;
    EXPECT_EQ(service.getCurrentBranch(app + "/lib"), QStringLiteral("main"));
    EXPECT_EQ(service.getCurrentBranch(tree.path() + "/wt"), QStringLiteral("feature"));
    EXPECT_EQ(service.getCurrentBranch(app), QStringLiteral("main"));
    ::close(socketFd);
}

} // namespace
