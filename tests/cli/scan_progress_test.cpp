// The command-line scanner's workers, progress line and interrupt.
#include "cli/Interrupt.h"
#include "CommandRun.h"
#include "cli/ScanCommand.h"
#include "cli/ScanOptions.h"
#include "discovery/ProjectScanner.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using testfolders::TempTree;
using testfolders::writeScript;

namespace {

const QStringList kFormats = {"table", "json"};

TEST(ScanProgressOptions, JobsAndProgressSwitches) {
    const auto parse = [](std::vector<std::string> args) {
        args.push_back("/tmp");
        return parseScanOptions(args, kFormats);
    };
    EXPECT_EQ(parse({}).options->jobs, 0);
    EXPECT_EQ(parse({"--jobs", "4"}).options->jobs, 4);
    EXPECT_EQ(parse({"--jobs=1"}).options->jobs, 1);
    for (const char* bad : {"0", "-2", "257", "two", ""}) {
        const ScanOptionsResult r = parse({"--jobs", bad});
        EXPECT_FALSE(r.options) << bad;
        EXPECT_NE(r.error.find("--jobs"), std::string::npos);
    }
    EXPECT_FALSE(parseScanOptions({"--jobs"}, kFormats).options);
    EXPECT_EQ(parse({}).options->progress, ScanOptions::Progress::whenTerminal);
    EXPECT_EQ(parse({"--progress"}).options->progress, ScanOptions::Progress::always);
    EXPECT_EQ(parse({"--progress", "--no-progress"}).options->progress, ScanOptions::Progress::never);
}

using CommandRun = clitest::CommandResult;

CommandRun runWith(const std::vector<std::string>& args, const ScanCommandContext& context) {
    return clitest::run(args, context);
}

TEST(ScanProgressLine, ShownOnStandardErrorOnlyAndErasedAtTheEnd) {
    TempTree tree;
    for (int i = 0; i < 3; ++i) {
        tree.write("p" + QByteArray::number(i) + "/package.json", "{}");
        testfolders::initRepository(tree.path() + "/p" + QByteArray::number(i));
    }
    GitService git;
    ProjectScanner scanner(git);
    const std::string root = tree.path().toStdString();

    const CommandRun shown = runWith({"--format", "json", root}, {&scanner, nullptr, TerminalStreams{false, true, std::nullopt}});
    ASSERT_EQ(shown.status, 0);
    EXPECT_TRUE(QJsonDocument::fromJson(QByteArray::fromStdString(shown.out)).isArray()) << shown.out;
    EXPECT_EQ(shown.err.rfind("\r\x1b[K", 0), 0u) << shown.err;
    EXPECT_NE(shown.err.find(" folders"), std::string::npos);
    EXPECT_EQ(shown.err.substr(shown.err.size() - 4), "\r\x1b[K"); // the line is erased
    EXPECT_EQ(shown.err.find('\n'), std::string::npos);
    EXPECT_EQ(shown.out.find('\r'), std::string::npos);

    EXPECT_TRUE(runWith({"--no-progress", root}, {&scanner, nullptr, TerminalStreams{false, true, std::nullopt}}).err.empty());
    EXPECT_TRUE(runWith({root}, {&scanner, nullptr, TerminalStreams{}}).err.empty());
    EXPECT_FALSE(runWith({"--progress", root}, {&scanner, nullptr, TerminalStreams{}}).err.empty());
}

TEST(ScanInterrupt, SigintStopsTheScanWithStatus130AndNoOutput) {
    TempTree tree;
    tree.write("r/package.json", "{}");
    testfolders::initRepository(tree.path() + "/r");
    TempTree tools;
    const QByteArray started = tools.path() + "/started";
    const QByteArray hangingGit = writeScript(tools, "git", "touch '" + started + "'\nexec sleep 300\n");
    GitService git(hangingGit, std::chrono::minutes(10));
    ProjectScanner scanner(git);

    interrupt::flag() = false;
    interrupt::catchInterrupt();
    std::thread interrupter([&] {
        while (::access(started.constData(), F_OK) != 0) std::this_thread::yield();
        ::kill(::getpid(), SIGINT);
    });
    const CommandRun r = runWith({"--format", "json", "--jobs", "2", tree.path().toStdString()},
                          {&scanner, &interrupt::flag(), TerminalStreams{false, true, std::nullopt}});
    interrupter.join();
    interrupt::restoreDefault();
    interrupt::flag() = false;

    EXPECT_EQ(r.status, 130);
    EXPECT_TRUE(r.out.empty()) << r.out;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
