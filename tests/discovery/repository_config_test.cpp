// The configuration reader must see every entry git sees (a filter it missed would run), so
// git itself is the reference for the syntax.

#include "GitSafetySupport.h"
#include "discovery/RepositoryConfig.h"

#include <QFileInfo>

using namespace gitsafety;
using testfolders::TempTree;

namespace {

// "name=value" lines as "git config --list" prints them; "name" alone for a key without value.
QByteArray listed(const QList<ConfigEntry>& entries) {
    QByteArray out;
    for (const ConfigEntry& e : entries) out += e.name + (e.value ? '=' + *e.value : QByteArray()) + '\n';
    return out;
}

TEST(RepositoryConfig, ReadsTheSyntaxExactlyAsGitDoes) {
    const QList<QByteArray> texts = {
        "[core]\n\tbare = false\n",
        "[Filter \"Evil Name\"]\n\tClean = run ; comment\n\tSMUDGE=\"a # b\" # c\n",
        "[filter.Old]\nclean = x\n[filter \"q\\\"uote\\\\d\"] process = y\n",
        "[a]\n\tk = one \\\n two\n\tm = \"tab\\there\\nnewline\\b\"\n\tflag\n\tempty =\n",
        "\xEF\xBB\xBF[bom]\r\n\tkey = crlf\r\n\tspaces =   inner   spaces   \n",
        "; leading comment\n# another\n[s \"sub\"]\n  x-y = 1\n[s.Sub.More]\nz = 2",
        "[a]k=\"unterminated\n",
        "[a]\n\tk = bad \\q escape\n",
        "[a\n",
        "[a]\n\t1key = x\n",
        "\xEF\xBB[a]\n",
        "[]\nk = v\n",
        "[a \"x\"y]\n",
        "\x01\x02\x03binary\xFF\n",
        "k = before any section\n",
        QByteArray("[filter \"a\0b\"]\n\tclean = x\0y\n", 28),
        "",
    };
    TempTree tree;
    int accepted = 0;
    int refused = 0;
    for (const QByteArray& text : texts) {
        SCOPED_TRACE(text.toPercentEncoding().constData());
        const QByteArray file = tree.write("config", text);
        const PlainRun reference = plainGit(tree.path(), {"config", "-f", QString::fromUtf8(file), "--no-includes", "--list"});
        const std::optional<QList<ConfigEntry>> ours = parseGitConfig(text);
        if (reference.exitCode != 0) {
            ++refused;
            EXPECT_FALSE(ours) << "git refuses this text";
            continue;
        }
        ++accepted;
        ASSERT_TRUE(ours) << "git reads this text";
        EXPECT_EQ(listed(*ours), reference.output);
    }
    EXPECT_GE(accepted, 6); // both kinds are really exercised
    EXPECT_GE(refused, 6);
}

TEST(RepositoryConfig, EntryPartsFollowGitsSplitAtTheFirstAndLastDot) {
    const ConfigEntry entry{"credential.https://example.com/a.b.helper", QByteArray("x")};
    EXPECT_EQ(entry.section(), "credential");
    EXPECT_EQ(entry.subsection(), "https://example.com/a.b");
    EXPECT_EQ(entry.key(), "helper");
    EXPECT_FALSE((ConfigEntry{"core.bare", std::nullopt}).hasSubsection());
}

TEST(RepositoryConfig, IncludesAreFollowedAndHostileOnesReported) {
    TempTree tree;
    tree.write("home/.shared.cfg", "[filter \"home\"]\n\tclean = h\n");
    tree.write("repo/sub/second.cfg", "[filter \"second\"]\n\tclean = s\n[include]\n\tpath = missing.cfg\n");
    const QByteArray main = tree.write("repo/config", "[include]\n\tpath = sub/second.cfg\n"
                                                      "[includeIf \"onbranch:other\"]\n\tpath = ~/.shared.cfg\n"
                                                      "[filter \"first\"]\n\tclean = f\n");
    const ConfigRead read = readConfigWithIncludes(main, tree.path() + "/home");
    EXPECT_FALSE(read.problem) << read.problem->toStdString();
    EXPECT_EQ(subsectionsOf(read.entries, "filter"), (QList<QByteArray>{"second", "home", "first"}));

    const QByteArray loop = tree.write("loop/a.cfg", "[include]\n\tpath = b.cfg\n");
    tree.write("loop/b.cfg", "[include]\n\tpath = a.cfg\n");
    EXPECT_TRUE(readConfigWithIncludes(loop, {}).problem);

    const QByteArray fifo = tree.path() + "/fifo.cfg";
    ASSERT_EQ(::mkfifo(fifo.constData(), 0644), 0);
    EXPECT_TRUE(readConfigWithIncludes(tree.write("uses-fifo.cfg", "[include]\npath = fifo.cfg\n"), {}).problem);
    EXPECT_TRUE(readConfigWithIncludes(tree.write("no-value.cfg", "[include]\npath\n"), {}).problem);

    QByteArray huge = "[a]\n";
    huge += QByteArray(5 * 1024 * 1024, '#');
    EXPECT_TRUE(readConfigWithIncludes(tree.write("huge.cfg", huge), {}).problem);
    // Small, but so many entries that holding them would cost on every run.
    QByteArray many = "[a]\n";
    for (int i = 0; i < 25000; ++i) many += "k\n";
    EXPECT_TRUE(readConfigWithIncludes(tree.write("many.cfg", many), {}).problem);
    EXPECT_FALSE(readConfigWithIncludes(tree.path() + "/absent.cfg", {}).problem);
}

TEST(RepositoryConfig, LocatesTheGitFoldersOfRepositoriesWorktreesAndGitFiles) {
    TempTree tree;
    const QByteArray repo = tree.mkdir("repo");
    testfolders::initRepository(repo);
    testfolders::git(repo, {"worktree", "add", "-q", "-b", "wt", QString::fromUtf8(tree.path() + "/wt")});

    const LocatedRepository plain = locateRepository(repo);
    ASSERT_TRUE(plain.location);
    EXPECT_EQ(plain.location->gitDir, repo + "/.git");
    EXPECT_EQ(plain.location->commonDir, repo + "/.git");

    const LocatedRepository worktree = locateRepository(tree.path() + "/wt");
    ASSERT_TRUE(worktree.location);
    EXPECT_EQ(worktree.location->gitDir, repo + "/.git/worktrees/wt");
    EXPECT_EQ(QFileInfo(QFile::decodeName(worktree.location->commonDir)).canonicalFilePath(),
              QFileInfo(QFile::decodeName(repo + "/.git")).canonicalFilePath());

    tree.write("relative/.git", "gitdir: ../repo/.git\r\n");
    const LocatedRepository relative = locateRepository(tree.path() + "/relative");
    ASSERT_TRUE(relative.location);
    EXPECT_EQ(relative.location->gitDir, tree.path() + "/relative/../repo/.git");

    EXPECT_FALSE(locateRepository(tree.mkdir("none")).location);
    EXPECT_FALSE(locateRepository(tree.path() + "/none").problem);
    tree.write("dangling/.git", "gitdir: /nonexistent/place\n");
    EXPECT_TRUE(locateRepository(tree.path() + "/dangling").problem);
}

} // namespace
