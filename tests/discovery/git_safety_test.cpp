// A scanned repository's configuration names programs; none of them may run during the scan's
// git commands. Each case first shows that plain git does run the program (the control), then
// that the scan's runs do not.

#include "GitSafetySupport.h"
#include "discovery/GitService.h"

#include <functional>

using namespace gitsafety;
using testfolders::TempTree;
using testfolders::git;

namespace {

void runTheScanCommands(const QByteArray& folder) {
    GitService service;
    service.getCurrentBranch(folder);
    service.getRemotes(folder);
    service.checkUncommittedChanges(folder);
    service.getLastCommitDate(folder);
}

// A repository whose tracked "data.txt" is subject to the filter driver "evil" (not yet defined).
QByteArray filteredRepository(const TempTree& tree, const QByteArray& name) {
    const QByteArray repo = tree.mkdir(name);
    tree.write(name + "/data.txt", "payload\n");
    tree.write(name + "/.gitattributes", "*.txt filter=evil\n");
    testfolders::initRepository(repo);
    return repo;
}

void appendToConfig(const QByteArray& configPath, const QByteArray& text) {
    const int fd = ::open(configPath.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, text.constData(), size_t(text.size())), text.size());
    ::close(fd);
}

struct FilterCase {
    const char* label;
    // Defines the driver "evil" with `program`, somewhere git reads for the repository.
    std::function<void(const TempTree&, const QByteArray& repo, const QByteArray& program)> define;
};

TEST(GitSafety, FilterDriversOfTheRepositoryNeverRun) {
    const std::vector<FilterCase> cases = {
        {"clean", [](const TempTree&, const QByteArray& repo, const QByteArray& program) {
             git(repo, {"config", "filter.evil.clean", QString::fromUtf8(program)});
         }},
        {"process", [](const TempTree&, const QByteArray& repo, const QByteArray& program) {
             git(repo, {"config", "filter.evil.process", QString::fromUtf8(program)});
             git(repo, {"config", "filter.evil.required", "true"});
         }},
        {"older section form", [](const TempTree&, const QByteArray& repo, const QByteArray& program) {
             appendToConfig(repo + "/.git/config", "[filter.EVIL]\n\tclean = \"" + program + "\" # quoted\n");
         }},
        {"include.path", [](const TempTree& tree, const QByteArray& repo, const QByteArray& program) {
             tree.write(repo.mid(tree.path().size() + 1) + "/.git/extra/filters.cfg",
                        "[filter \"evil\"]\n\tclean = " + program + "\n");
             git(repo, {"config", "include.path", "extra/filters.cfg"});
         }},
        {"includeIf nested", [](const TempTree& tree, const QByteArray& repo, const QByteArray& program) {
             const QByteArray relative = repo.mid(tree.path().size() + 1);
             tree.write(relative + "/.git/outer.cfg", "[include]\n\tpath = inner.cfg\n");
             tree.write(relative + "/.git/inner.cfg", "[filter \"evil\"]\n\tclean = " + program + "\n");
             git(repo, {"config", "includeIf.gitdir:**.path", "outer.cfg"});
         }},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempTree tree;
        const QByteArray repo = filteredRepository(tree, "repo");
        const QByteArray marker = tree.path() + "/filter-ran";
        const QByteArray program = writeScript(tree, "filter.sh", "touch '" + marker + "'\ncat\n");
        c.define(tree, repo, program);

        touchLater(repo + "/data.txt");
        plainGit(repo, {"status", "--porcelain"});
        ASSERT_TRUE(fileExists(marker)) << "control: plain git status should run the filter";
        ASSERT_EQ(::unlink(marker.constData()), 0);

        touchLater(repo + "/data.txt");
        runTheScanCommands(repo);
        EXPECT_FALSE(fileExists(marker)) << "the scan ran the repository's filter";
        EXPECT_EQ(GitService().getCurrentBranch(repo), QStringLiteral("main"));
    }
}

TEST(GitSafety, TheUsersOwnDriverOfTheSameNameKeepsWorking) {
    TempTree tree;
    const QByteArray repo = filteredRepository(tree, "repo");
    const QByteArray marker = tree.path() + "/repository-filter-ran";
    const QByteArray userMarker = tree.path() + "/user-filter-ran";
    git(repo, {"config", "filter.evil.clean", QString::fromUtf8(markerProgram(tree, "repo.sh", marker))});
    const QByteArray global =
        tree.write("global.cfg", "[filter \"evil\"]\n\tclean = " + markerProgram(tree, "user.sh", userMarker) + "\n");
    ScopedVariable globalConfig("GIT_CONFIG_GLOBAL", global);

    touchLater(repo + "/data.txt");
    runTheScanCommands(repo);
    EXPECT_TRUE(fileExists(userMarker)) << "the user's own driver did not run";
    EXPECT_FALSE(fileExists(marker)) << "the repository's driver ran";
}

TEST(GitSafety, SubmoduleFiltersNeverRunFromTheSuperprojectOrTheSubmodule) {
    TempTree tree;
    const QByteArray library = filteredRepository(tree, "library");
    const QByteArray app = tree.mkdir("app");
    tree.write("app/readme", "app\n");
    testfolders::initRepository(app);
    git(app, {"-c", "protocol.file.allow=always", "submodule", "add", "-q", QString::fromUtf8(library), "lib"});
    git(app, {"commit", "-q", "-m", "add lib"});
    const QByteArray marker = tree.path() + "/filter-ran";
    const QByteArray program = writeScript(tree, "filter.sh", "touch '" + marker + "'\ncat\n");
    const QByteArray submodule = app + "/lib";
    git(submodule, {"config", "filter.evil.clean", QString::fromUtf8(program)});
    // .gitmodules may ask for full recursion; the scan must not follow it.
    git(app, {"config", "-f", ".gitmodules", "submodule.lib.ignore", "none"});

    touchLater(submodule + "/data.txt");
    plainGit(app, {"status", "--porcelain"});
    ASSERT_TRUE(fileExists(marker)) << "control: plain git status recurses into the submodule";
    ASSERT_EQ(::unlink(marker.constData()), 0);

    touchLater(submodule + "/data.txt");
    runTheScanCommands(app);
    EXPECT_FALSE(fileExists(marker)) << "the superproject's status ran the submodule's filter";
    touchLater(submodule + "/data.txt");
    runTheScanCommands(submodule); // the submodule is a project of its own too (".git" file)
    EXPECT_FALSE(fileExists(marker)) << "the submodule's status ran its filter";

    // The submodule named only by the committed .gitmodules, which git then reads from the
    // index, and absent from the repository's configuration.
    git(app, {"add", ".gitmodules"});
    git(app, {"commit", "-q", "-m", "no ignore"});
    git(app, {"config", "--remove-section", "submodule.lib"});
    ASSERT_EQ(::unlink((app + "/.gitmodules").constData()), 0);
    touchLater(submodule + "/data.txt");
    plainGit(app, {"status", "--porcelain"});
    ASSERT_TRUE(fileExists(marker)) << "control: plain git status still recurses";
    ASSERT_EQ(::unlink(marker.constData()), 0);
    touchLater(submodule + "/data.txt");
    runTheScanCommands(app);
    EXPECT_FALSE(fileExists(marker)) << "the superproject's status ran the submodule's filter";
}

// Replaces HEAD's commit by the same commit carrying a signature header of `kind`.
void signHead(const TempTree& tree, const QByteArray& repo, const QByteArray& kind) {
    const QByteArray commit = git(repo, {"cat-file", "commit", "HEAD"});
    const qsizetype committerEnd = commit.indexOf('\n', commit.indexOf("\ncommitter ") + 1);
    ASSERT_GT(committerEnd, 0);
    const QByteArray signature = "gpgsig -----BEGIN " + kind + " SIGNATURE-----\n \n AAAA\n -----END " + kind +
                                 " SIGNATURE-----\n";
    const QByteArray signedCommit = commit.left(committerEnd + 1) + signature + commit.mid(committerEnd + 1);
    const QByteArray file = tree.write("signed-commit", signedCommit);
    const QByteArray oid = git(repo, {"hash-object", "-t", "commit", "-w", QString::fromUtf8(file)}).trimmed();
    git(repo, {"update-ref", "refs/heads/main", QString::fromUtf8(oid)});
}

TEST(GitSafety, SignatureProgramsNeverRun) {
    for (const char* kind : {"PGP", "SSH"}) {
        SCOPED_TRACE(kind);
        TempTree tree;
        const QByteArray repo = tree.mkdir("repo");
        testfolders::initRepository(repo, "2026-01-31T09:15:00Z");
        signHead(tree, repo, kind);
        const QByteArray marker = tree.path() + "/verifier-ran";
        const QByteArray program = writeScript(tree, "verify.sh", "touch '" + marker + "'\nexit 1\n");
        git(repo, {"config", "log.showSignature", "true"});
        git(repo, {"config", "gpg.program", QString::fromUtf8(program)});
        git(repo, {"config", "gpg.ssh.program", QString::fromUtf8(program)});
        git(repo, {"config", "gpg.ssh.allowedSignersFile", QString::fromUtf8(tree.write("allowed", "x\n"))});

        plainGit(repo, {"log", "-1", "--format=%ct"});
        ASSERT_TRUE(fileExists(marker)) << "control: plain git log verifies the signature";
        ASSERT_EQ(::unlink(marker.constData()), 0);

        GitService service;
        EXPECT_EQ(service.getLastCommitDate(repo), QDateTime(QDate(2026, 1, 31), QTime(9, 15), Qt::UTC));
        runTheScanCommands(repo);
        EXPECT_FALSE(fileExists(marker)) << "the scan ran the signature program";
    }
}

TEST(GitSafety, APartialCloneNeverFetchesAMissingObjectThroughTheRepositorysTransport) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    const QByteArray marker = tree.path() + "/ssh-ran";
    git(repo, {"config", "core.repositoryformatversion", "1"});
    git(repo, {"config", "extensions.partialClone", "origin"});
    git(repo, {"config", "remote.origin.url", "ssh://git@example.invalid/x.git"});
    git(repo, {"config", "core.sshCommand",
               QString::fromUtf8(writeScript(tree, "ssh.sh", "touch '" + marker + "'\nexit 255\n"))});
    // The branch names a commit that is not here, so git would fetch it from the promisor.
    tree.write("repo/.git/refs/heads/main", "1234567890123456789012345678901234567890\n");

    plainGit(repo, {"log", "-1", "--format=%ct"});
    ASSERT_TRUE(fileExists(marker)) << "control: plain git log fetches the missing commit";
    ASSERT_EQ(::unlink(marker.constData()), 0);

    runTheScanCommands(repo);
    EXPECT_FALSE(fileExists(marker)) << "the scan started a fetch with the repository's ssh command";
}

TEST(GitSafety, HooksNeverRunWhereverTheyAre) {
    for (const bool ownHooksPath : {false, true}) {
        SCOPED_TRACE(ownHooksPath ? "core.hooksPath" : ".git/hooks");
        TempTree tree;
        const QByteArray repo = tree.mkdir("repo");
        tree.write("repo/file", "1\n");
        testfolders::initRepository(repo);
        const QByteArray marker = tree.path() + "/hook-ran";
        const QByteArray hooks = ownHooksPath ? tree.mkdir("hooks") : repo + "/.git/hooks";
        if (ownHooksPath) git(repo, {"config", "core.hooksPath", QString::fromUtf8(hooks)});
        for (const char* hook : {"post-index-change", "reference-transaction", "post-checkout", "pre-auto-gc"}) {
            writeScript(tree, hooks.mid(tree.path().size() + 1) + '/' + hook, "touch '" + marker + "'\n");
        }

        touchLater(repo + "/file");
        plainGit(repo, {"status", "--porcelain"});
        ASSERT_TRUE(fileExists(marker)) << "control: plain git status refreshes the index and runs its hook";
        ASSERT_EQ(::unlink(marker.constData()), 0);

        touchLater(repo + "/file");
        runTheScanCommands(repo);
        EXPECT_FALSE(fileExists(marker)) << "the scan ran a hook";
    }
}

TEST(GitSafety, PagersNeverRunEvenWithATerminal) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/file", "1\n");
    testfolders::initRepository(repo);
    const QByteArray marker = tree.path() + "/pager-ran";
    const QString pager = QString::fromUtf8(markerProgram(tree, "pager.sh", marker));
    git(repo, {"config", "core.pager", pager});
    for (const char* command : {"pager.log", "pager.branch", "pager.status", "pager.remote"}) {
        git(repo, {"config", command, pager});
    }

    // script(1) gives plain git a terminal, which is when git starts a pager.
    plainRun(repo, QStringLiteral("/usr/bin/script"), {"-qec", "git log -1", "/dev/null"});
    ASSERT_TRUE(fileExists(marker)) << "control: plain git log on a terminal runs the pager";
    ASSERT_EQ(::unlink(marker.constData()), 0);

    runTheScanCommands(repo);
    EXPECT_FALSE(fileExists(marker)) << "the scan ran a pager";
}

TEST(GitSafety, DiffProgramsAreNotUsedByTheScanCommands) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    tree.write("repo/data.txt", "one\n");
    tree.write("repo/.gitattributes", "*.txt diff=conv\n");
    testfolders::initRepository(repo);
    const QByteArray externalMarker = tree.path() + "/external-ran";
    const QByteArray textconvMarker = tree.path() + "/textconv-ran";
    git(repo, {"config", "diff.external", QString::fromUtf8(markerProgram(tree, "external.sh", externalMarker))});
    git(repo, {"config", "diff.conv.textconv",
               QString::fromUtf8(writeScript(tree, "conv.sh", "touch '" + textconvMarker + "'\ncat \"$1\"\n"))});
    tree.write("repo/data.txt", "two\n");

    plainGit(repo, {"diff"});
    ASSERT_TRUE(fileExists(externalMarker)) << "control: plain git diff runs diff.external";
    plainGit(repo, {"diff", "--no-ext-diff"});
    ASSERT_TRUE(fileExists(textconvMarker)) << "control: plain git diff runs the textconv program";
    ASSERT_EQ(::unlink(externalMarker.constData()), 0);
    ASSERT_EQ(::unlink(textconvMarker.constData()), 0);

    runTheScanCommands(repo);
    EXPECT_TRUE(GitService().checkUncommittedChanges(repo));
    EXPECT_FALSE(fileExists(externalMarker));
    EXPECT_FALSE(fileExists(textconvMarker));
}

} // namespace
