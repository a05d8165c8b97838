#include "state/SystemTerminalLauncher.h"
#include "StateTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <cerrno>
#include <unistd.h>

using statetest::waitUntil;
using testfolders::TempTree;

namespace {

// Every character a shell would treat specially, a newline included.
const QByteArray kAwkwardName = "a b'c\"d\\e$HOME`id`$(touch injected);f\ng";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray realPath(const QByteArray& path) {
    char* real = ::realpath(path.constData(), nullptr);
    if (!real) return {};
    QByteArray result(real);
    ::free(real);
    return result;
}

// A terminal stand-in that writes its working directory and its arguments (NUL-separated)
// into the record folder, then marks the record complete.
class FakeTerminals {
public:
    QByteArray install(const QByteArray& name) {
        const QByteArray script = "#!/bin/sh\n"
                                  "r='" + record() + "'\n"
                                  "pwd -P > \"$r/cwd\"\n"
                                  ": > \"$r/args\"\n"
                                  "for a in \"$@\"; do printf '%s\\0' \"$a\" >> \"$r/args\"; done\n"
                                  "basename \"$0\" > \"$r/name\"\n"
                                  ": > \"$r/done\"\n";
        const QByteArray path = bin() + '/' + name;
        QFile file(QString::fromUtf8(path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script);
        file.close();
        ::chmod(path.constData(), 0755);
        return path;
    }
    QByteArray bin() const { return QFile::encodeName(m_bin.path()); }
    QByteArray record() const { return QFile::encodeName(m_record.path()); }

    bool waitForRun() {
        return waitUntil([this] { return QFile::exists(QString::fromUtf8(record() + "/done")); });
    }
    QByteArray workingDirectory() const { return readAll(QString::fromUtf8(record() + "/cwd")); }
    QList<QByteArray> arguments() const {
        QList<QByteArray> list = readAll(QString::fromUtf8(record() + "/args")).split('\0');
        list.removeLast();
        return list;
    }
    QByteArray name() const { return readAll(QString::fromUtf8(record() + "/name")).trimmed(); }
    bool ran() const { return QFile::exists(QString::fromUtf8(record() + "/done")); }

private:
    QTemporaryDir m_bin;
    QTemporaryDir m_record;
};

TEST(SystemTerminalLauncher, TerminalFromTheEnvironmentOpensInAnAwkwardFolderAndRunsNothingElse) {
    TempTree tree;
    const QByteArray folder = tree.mkdir(kAwkwardName);
    FakeTerminals fakes;
    const QByteArray terminal = fakes.install("my-terminal");

    const QByteArray savedTerminal = qgetenv("TERMINAL");
    const bool hadTerminal = qEnvironmentVariableIsSet("TERMINAL");
    qputenv("TERMINAL", terminal);
    SystemTerminalLauncher launcher;
    const bool started = launcher.openTerminal(folder);
    if (hadTerminal) qputenv("TERMINAL", savedTerminal); else qunsetenv("TERMINAL");

    ASSERT_TRUE(started);
    ASSERT_TRUE(fakes.waitForRun());
    EXPECT_EQ(fakes.workingDirectory(), realPath(folder) + '\n');
    // Detached: neither the terminal nor a helper process is left as our child.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    // An unknown terminal gets no arguments; the working directory is all it needs.
    EXPECT_TRUE(fakes.arguments().isEmpty());
    EXPECT_FALSE(QFile::exists(QString::fromUtf8(folder + "/injected")));
    EXPECT_FALSE(QFile::exists(QString::fromUtf8(tree.path() + "/injected")));
    EXPECT_FALSE(QFile::exists(QDir::current().filePath(QStringLiteral("injected"))));
}

TEST(SystemTerminalLauncher, KnownTerminalsGetTheirWorkingDirectoryArgument) {
    TempTree tree;
    const QByteArray folder = tree.mkdir(kAwkwardName);
    const QList<std::pair<QByteArray, QList<QByteArray>>> expected = {
        {"gnome-terminal", {"--working-directory=" + folder}},
        {"konsole", {"--workdir", folder}},
        {"xfce4-terminal", {"--working-directory=" + folder}},
        {"kitty", {"--directory", folder}},
        {"alacritty", {"--working-directory", folder}},
        {"wezterm", {"start", "--cwd", folder}},
        {"foot", {"--working-directory=" + folder}},
        {"xterm", {}},
    };
    for (const auto& [name, arguments] : expected) {
        FakeTerminals fakes;
        fakes.install(name);
        // Only this terminal is on the PATH.
        SystemTerminalLauncher launcher(std::nullopt, fakes.bin());
        ASSERT_TRUE(launcher.openTerminal(folder)) << name.constData();
        ASSERT_TRUE(fakes.waitForRun()) << name.constData();
        EXPECT_EQ(fakes.arguments(), arguments) << name.constData();
        EXPECT_EQ(fakes.workingDirectory(), realPath(folder) + '\n') << name.constData();
    }
}

TEST(SystemTerminalLauncher, SystemDefaultIsRecognisedThroughItsLink) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("project");
    FakeTerminals fakes;
    const QByteArray konsole = fakes.install("konsole");
    ASSERT_EQ(::symlink(konsole.constData(), (fakes.bin() + "/x-terminal-emulator").constData()), 0);
    // An empty $TERMINAL is no candidate.
    SystemTerminalLauncher launcher(QByteArray(), fakes.bin());
    EXPECT_EQ(launcher.candidates().first(), QByteArray("x-terminal-emulator"));
    ASSERT_TRUE(launcher.openTerminal(folder));
    ASSERT_TRUE(fakes.waitForRun());
    EXPECT_EQ(fakes.name(), QByteArray("x-terminal-emulator"));
    EXPECT_EQ(fakes.arguments(), (QList<QByteArray>{"--workdir", folder}));
}

TEST(SystemTerminalLauncher, CandidatesThatCannotRunAreSkipped) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("project");
    FakeTerminals fakes;
    fakes.install("xterm");
    // Executable, but not a program the system can run.
    const QByteArray broken = tree.write("broken-terminal", "\x01\x02 not a program");
    ::chmod(broken.constData(), 0755);
    const QByteArray notExecutable = tree.write("plain-file", "#!/bin/sh\n");

    SystemTerminalLauncher launcher(broken, fakes.bin());
    ASSERT_TRUE(launcher.openTerminal(folder));
    ASSERT_TRUE(fakes.waitForRun());
    EXPECT_EQ(fakes.name(), QByteArray("xterm"));

    EXPECT_FALSE(launcher.resolveExecutable(notExecutable));
    EXPECT_FALSE(launcher.resolveExecutable(tree.path() + "/missing"));
    EXPECT_FALSE(launcher.resolveExecutable("no-such-terminal-anywhere"));
    EXPECT_EQ(launcher.resolveExecutable("xterm"), fakes.bin() + "/xterm");
}

TEST(SystemTerminalLauncher, RelativeTerminalPathIsNeverTakenFromTheProject) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("project");
    const QByteArray marker = tree.path() + "/relative-terminal-ran";
    // The same relative path exists in the project and in our own working folder.
    for (const QByteArray& where : {QByteArray("project/rel/term"), QByteArray("cwd/rel/term")}) {
        const QByteArray script = tree.write(where, "#!/bin/sh\n: > '" + marker + "'\n");
        ::chmod(script.constData(), 0755);
    }
    FakeTerminals fakes;
    fakes.install("xterm");
    const QByteArray previous = QDir::currentPath().toLocal8Bit();
    ASSERT_EQ(::chdir((tree.path() + "/cwd").constData()), 0);
    SystemTerminalLauncher launcher(QByteArray("rel/term"), fakes.bin());
    EXPECT_FALSE(launcher.resolveExecutable("rel/term"));
    const bool opened = launcher.openTerminal(folder);
    ASSERT_EQ(::chdir(previous.constData()), 0);
    ASSERT_TRUE(opened);
    ASSERT_TRUE(fakes.waitForRun());
    EXPECT_EQ(fakes.name(), QByteArray("xterm"));
    EXPECT_FALSE(QFile::exists(QString::fromUtf8(marker)));
}

TEST(SystemTerminalLauncher, NothingHappensWhenNoTerminalCanBeStarted) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("project");
    QTemporaryDir emptyBin;
    SystemTerminalLauncher none(QByteArray("/nonexistent/terminal"), QFile::encodeName(emptyBin.path()));
    EXPECT_FALSE(none.openTerminal(folder));

    // A folder that cannot be entered starts nothing either.
    FakeTerminals fakes;
    fakes.install("xterm");
    SystemTerminalLauncher launcher(std::nullopt, fakes.bin());
    EXPECT_FALSE(launcher.openTerminal(tree.path() + "/missing"));
    EXPECT_FALSE(launcher.openTerminal(QByteArray()));
    EXPECT_FALSE(fakes.ran());
}

TEST(SystemTerminalLauncher, TheDesktopsTerminalsAreTriedInTheirOrder) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("project");
    // Both found on the PATH; the one listed first (konsole before xterm) is started.
    FakeTerminals fakes;
    fakes.install("xterm");
    fakes.install("konsole");
    SystemTerminalLauncher launcher(std::nullopt, fakes.bin());
    ASSERT_TRUE(launcher.openTerminal(folder));
    ASSERT_TRUE(fakes.waitForRun());
    EXPECT_EQ(fakes.name(), QByteArray("konsole"));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
