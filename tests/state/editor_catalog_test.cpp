// Editors found from desktop entries in a temporary XDG data folder, the Exec line as the
// Desktop Entry Specification reads it, and a test editor that records how it was started.
#include "state/DesktopEntry.h"
#include "state/EditorCatalog.h"
#include "state/ExecLine.h"
#include "state/SystemEditorLauncher.h"
#include "state/SystemTerminalLauncher.h"
#include "StateTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using statetest::waitUntil;
using testfolders::TempTree;

namespace {

QByteArray readAll(const QByteArray& path) {
    QFile file(QString::fromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program that writes its working folder and arguments (one per line) to `record`.
QByteArray recorder(const TempTree& tree, const QByteArray& name, const QByteArray& record) {
    return testfolders::writeScript(tree, "bin/" + name,
                                    "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" + record +
                                        ".tmp' && mv '" + record + ".tmp' '" + record + "'\n");
}

QByteArray entry(const QByteArray& name, const QByteArray& exec, const QByteArray& extra = {}) {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\n" + extra;
}

TEST(ExecLine, FieldCodesAndQuotingFollowTheSpecification) {
    const QByteArray dir = "/home/me/my project";
    const std::pair<const char*, QList<QByteArray>> cases[] = {
        {"code %F", {"code", dir}},
        {"code --new-window %U", {"code", "--new-window", dir}},
        {"idea %f", {"idea", dir}},
        {"app %u --flag", {"app", dir, "--flag"}},
        {"app --folder=%f", {"app", "--folder=" + dir}},
        {"kate -b %U %i %c %k", {"kate", "-b", dir}},
        {"app --rate 100%% %F", {"app", "--rate", "100%", dir}},
        {"emacs", {"emacs", dir}},                          // no file code: the folder goes last
        {"app %d %D %n %N %v %m %x", {"app", dir}},         // deprecated and unknown codes go
        {"\"/opt/My Editor/bin/ed\" %F", {"/opt/My Editor/bin/ed", dir}},
        {"sh -c \"echo \\\"hi\\\" \\$HOME\" %F", {"sh", "-c", "echo \"hi\" $HOME", dir}},
        {"app\t  --a   %F ", {"app", "--a", dir}},
    };
    for (const auto& [exec, expected] : cases) {
        const std::optional<QStringList> split = execline::split(QString::fromUtf8(exec));
        ASSERT_TRUE(split) << exec;
        EXPECT_EQ(execline::expand(*split, dir), expected) << exec;
    }
    for (const char* broken : {"", "   ", "app \"unterminated %F", "app trailing\\", "\"\" %F"})
        EXPECT_FALSE(execline::split(QString::fromUtf8(broken))) << broken;
}

TEST(DesktopEntry, OnlyTheFirstDesktopEntryGroupCountsAndEscapesResolve) {
    const std::optional<DesktopEntry> parsed = desktopentry::parse(
        "# comment\nName=Before any group\n[Desktop Entry]\r\nName = My\\sEditor\r\nName=Second\nExec=ed\\t%F\n"
        "Terminal=true\nNoDisplay=false\nName[de]=Mein\n[Desktop Action new]\nName=Action\nHidden=true\n");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->name, QStringLiteral("My Editor"));
    EXPECT_EQ(parsed->exec, QStringLiteral("ed\t%F"));
    EXPECT_TRUE(parsed->terminal);
    EXPECT_FALSE(parsed->hidden);
    EXPECT_FALSE(desktopentry::parse("[Other]\nName=x\n"));
    EXPECT_FALSE(desktopentry::parse(QByteArray("\xff\xfe\0garbage", 11)));
}

struct Installed {
    TempTree tree;
    QByteArray home = tree.mkdir("home");
    QByteArray dataHome = tree.mkdir("data-home");
    QByteArray system = tree.mkdir("system");
    QByteArray bin = tree.mkdir("bin");
    QByteArray record = tree.path() + "/record";

    Installed() {
        const QByteArray editor = recorder(tree, "test-editor", record);
        tree.write("data-home/applications/code.desktop", entry("Code", editor + " --new-window %F"));
        // A Toolbox launcher in a subfolder: its id is "jetbrains-idea-ce.desktop".
        tree.write("data-home/applications/jetbrains/idea-ce.desktop", entry("IntelliJ IDEA", editor));
        // Hidden in the user's folder hides the system's entry of the same id.
        tree.write("data-home/applications/org.kde.kate.desktop", "[Desktop Entry]\nHidden=true\n");
        tree.write("system/applications/org.kde.kate.desktop", entry("Kate", editor));
        tree.write("system/applications/code.desktop", entry("Code from the system", editor));
        tree.write("system/applications/nvim.desktop", entry("Neovim", "test-editor %F", "Terminal=true\n"));
        tree.write("system/applications/geany.desktop", entry("Geany", editor, "TryExec=/nonexistent/geany\n"));
        tree.write("system/applications/sublime_text.desktop", entry("Sublime", editor, "NoDisplay=true\n"));
        tree.write("system/applications/emacs.desktop", entry("Emacs", "missing-emacs %F"));
        tree.write("system/applications/gvim.desktop", entry("GVim", "gvim \"broken %F"));
        tree.write("system/applications/firefox.desktop", entry("Firefox", editor));
    }
    EditorCatalog::Environment environment(std::optional<QByteArray> visual, std::optional<QByteArray> editor) const {
        return {home, dataHome, "relative/share:" + system, bin, visual, editor};
    }
};

TEST(EditorCatalog, FindsTheWellKnownEditorsThatAreInstalled) {
    Installed installed;
    EditorCatalog catalog(installed.environment("test-editor", "test-editor"));
    QStringList found;
    for (const EditorEntry& e : catalog.find()) found.append(e.id + u'=' + e.name);
    EXPECT_EQ(found, (QStringList{"code.desktop=Code", "jetbrains-idea-ce.desktop=IntelliJ IDEA",
                                  "nvim.desktop=Neovim", "$VISUAL=test-editor in a terminal ($VISUAL)"}));
    EXPECT_EQ(catalog.applicationFolders(),
              (QList<QByteArray>{installed.dataHome + "/applications", installed.system + "/applications"}));
    // The XDG base directory defaults.
    EditorCatalog defaults({installed.home, std::nullopt, std::nullopt, {}, std::nullopt, std::nullopt});
    EXPECT_EQ(defaults.applicationFolders(), (QList<QByteArray>{installed.home + "/.local/share/applications",
                                                                "/usr/local/share/applications", "/usr/share/applications"}));
}

TEST(SystemEditorLauncher, StartsTheEditorDetachedWithTheFolderAndNoShell) {
    Installed installed;
    const QByteArray folder = installed.tree.mkdir("a b'c\"d$HOME`id`;e");
    auto terminal = std::make_shared<statetest::RecordingTerminal>();
    SystemEditorLauncher launcher(EditorCatalog(installed.environment(std::nullopt, "test-editor -n")), terminal);
    ASSERT_EQ(launcher.editors().size(), 4);

    EXPECT_EQ(launcher.openFolder(QStringLiteral("code.desktop"), folder), QString());
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(QString::fromUtf8(installed.record)); }));
    EXPECT_EQ(readAll(installed.record), folder + "\n--new-window\n" + folder + "\n");

    // A terminal editor and $EDITOR go through the terminal, as one command.
    EXPECT_EQ(launcher.openFolder(QStringLiteral("$EDITOR"), folder), QString());
    EXPECT_EQ(terminal->folders, QList<QByteArray>{folder});
    EXPECT_EQ(terminal->commands, (QList<QList<QByteArray>>{{installed.bin + "/test-editor", "-n", folder}}));
    terminal->starts = false;
    terminal->tried = {QStringLiteral("xterm")};
    EXPECT_EQ(launcher.openFolder(QStringLiteral("nvim.desktop"), folder),
              QStringLiteral("Could not start Neovim: No terminal could be started. Tried: xterm. Set $TERMINAL to the terminal you want."));
    EXPECT_EQ(launcher.openFolder(QStringLiteral("gone.desktop"), folder),
              QStringLiteral("Could not start gone.desktop: it is no longer installed"));
}

TEST(SystemTerminalLauncher, RunsACommandWithEachWordHandedOver) {
    const QList<QByteArray> command = {"/usr/bin/nvim", "/p q"};
    const std::pair<const char*, QList<QByteArray>> cases[] = {
        {"gnome-terminal", {"--", "/usr/bin/nvim", "/p q"}}, {"konsole", {"-e", "/usr/bin/nvim", "/p q"}},
        {"kitty", {"/usr/bin/nvim", "/p q"}},               {"xfce4-terminal", {"-x", "/usr/bin/nvim", "/p q"}},
        {"wezterm", {"--", "/usr/bin/nvim", "/p q"}},        {"x-terminal-emulator", {"-e", "/usr/bin/nvim", "/p q"}},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(SystemTerminalLauncher::commandArguments(name, command), expected) << name;

    TempTree tree;
    const QByteArray record = tree.path() + "/record";
    recorder(tree, "kitty", record);
    SystemTerminalLauncher launcher(std::nullopt, tree.path() + "/bin");
    ASSERT_TRUE(launcher.runInTerminal(tree.path(), command));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(QString::fromUtf8(record)); }));
    EXPECT_EQ(readAll(record), tree.path() + "\n--directory\n" + tree.path() + "\n/usr/bin/nvim\n/p q\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
