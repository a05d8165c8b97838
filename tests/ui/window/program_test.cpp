// The program itself: --help and --version, a bad folder on the command line, and the capture mode.
#include "UiTestSupport.h"

#include "support/TestFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString out;
    QString err;
};

ProgramRun runProgram(const QStringList& args, const QString& configHome, int timeoutMs = 180000,
                      const QStringList& unset = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset)
        env.remove(name);
    env.insert("XDG_CONFIG_HOME", configHome);
    env.remove("CODEORCHARDIST_APPEARANCE");
    // Under the sanitizers the child's exit status must be the program's own: the GL driver it
    // unloads at exit leaves allocations the leak checker cannot name. The same code is
    // leak-checked in-process by the window tests.
    const QString asan = env.value("ASAN_OPTIONS");
    env.insert("ASAN_OPTIONS", asan.isEmpty() ? QStringLiteral("detect_leaks=0") : asan + ":detect_leaks=0");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CODEORCHARDIST_GUI_BINARY), args);
    ProgramRun r;
    if (!p.waitForStarted(30000))
        return r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.exitCode = p.exitCode();
    r.status = p.exitStatus();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Every file below a folder, relative.
QStringList filesBelow(const QString& dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(dir).relativeFilePath(it.next());
    out.sort();
    return out;
}

// The version the build gives the project, from its own CMakeLists.txt.
QString projectVersion()
{
    QFile file(QStringLiteral(CODEORCHARDIST_SOURCE_DIR "/CMakeLists.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpression project(QStringLiteral("project\\(Codeorchardist VERSION ([0-9.]+)"));
    return project.match(QString::fromUtf8(file.readAll())).captured(1);
}

TEST(Program, HelpAndVersionAnswerWithoutADisplayOrTheSettings)
{
    QTemporaryDir config;
    // Without a display, a program that opened a window would fail instead.
    const QStringList noDisplay = {"DISPLAY", "WAYLAND_DISPLAY"};
    const ProgramRun version = runProgram({"--version"}, config.path(), 60000, noDisplay);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    ASSERT_FALSE(projectVersion().isEmpty());
    EXPECT_EQ(version.out, "codeorchardist " + projectVersion() + "\n");

    const ProgramRun help = runProgram({"--help", "/no/such/folder"}, config.path(), 60000, noDisplay);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
    EXPECT_EQ(runProgram({"-h"}, config.path(), 60000, noDisplay).out, help.out);
    EXPECT_TRUE(filesBelow(config.path()).isEmpty()) << "no setting was read or written";

    // Every option and exit status --help lists is in the man page.
    QFile page(QStringLiteral(CODEORCHARDIST_SOURCE_DIR "/docs/man/codeorchardist.1"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(page.readAll());
    for (const char* option : {"--screenshot", "--size", "--help", "--version"}) {
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
        EXPECT_TRUE(man.contains(QString::fromLatin1(option).replace("-", "\\-"))) << option;
    }
    for (const char* status : {"0", "1", "2"}) {
        EXPECT_TRUE(help.out.contains(QStringLiteral("\n  %1  ").arg(status))) << status;
        EXPECT_TRUE(man.contains(QStringLiteral("\n.B %1\n").arg(status))) << status;
    }
}

TEST(Program, ABadFolderIsRefusedWithStatusTwoAndChangesNothing)
{
    QTemporaryDir config;
    testfolders::TempTree tree;
    const QString file = QString::fromUtf8(tree.write("plain.txt", "not a folder"));
    for (const QString& bad : {QString::fromUtf8(tree.path()) + "/does-not-exist", file}) {
        const ProgramRun r = runProgram({bad}, config.path(), 60000);
        EXPECT_EQ(r.status, QProcess::NormalExit);
        EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << "one line: " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(bad)) << r.err.toStdString();
    }
    EXPECT_TRUE(filesBelow(config.path()).isEmpty()) << "no setting was written";
}

TEST(Program, CaptureModeWritesEveryScreenLightAndDarkAndLeavesSettingsAlone)
{
    QTemporaryDir config;
    testfolders::TempTree tree;
    tree.write("web/site/package.json", R"({"name":"site","version":"2.1.0"})");
    tree.write("py/tool/setup.py", "from setuptools import setup\nsetup(name='tool', version='0.1')\n");
    const QString out = QString::fromUtf8(tree.mkdir("shots"));
    const QString projects = QString::fromUtf8(tree.path()) + "/web";
    const ProgramRun r = runProgram({"--screenshot", out, QString::fromUtf8(tree.path())}, config.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    (void)projects;

    QStringList expected;
    for (const char* appearance : {"light", "dark"})
        for (const char* screen : {"welcome", "loading", "list", "tree", "graph", "cards", "no-results", "no-projects"})
            expected << QStringLiteral("%1-%2.png").arg(QLatin1String(screen), QLatin1String(appearance));
    expected.sort();
    EXPECT_EQ(filesBelow(out), expected);

    // Light and dark pictures differ, and each has the window's size.
    const QImage light(out + "/cards-light.png");
    const QImage dark(out + "/cards-dark.png");
    ASSERT_FALSE(light.isNull());
    ASSERT_FALSE(dark.isNull());
    EXPECT_GE(light.width(), 1000);
    EXPECT_GE(light.height(), 700);
    // The window background at the bottom-left corner: light is bright, dark is dark.
    EXPECT_GT(qGray(light.pixel(2, light.height() - 3)), 180);
    EXPECT_LT(qGray(dark.pixel(2, dark.height() - 3)), 80);
    EXPECT_TRUE(filesBelow(config.path()).isEmpty()) << "the capture mode never touches the stored settings";
}

} // namespace
