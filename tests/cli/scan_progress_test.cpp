// The command-line scanner's workers, progress line and interrupt.
#include "cli/Interrupt.h"
#include "CommandRun.h"
#include "cli/ScanCommand.h"
#include "cli/ScanOptions.h"
#include "discovery/ProjectScanner.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <chrono>
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

// Sends SIGINT to this process once `file` exists; restores the default handling at the end.
class InterruptWhenCreated {
public:
    explicit InterruptWhenCreated(const QByteArray& file) : m_file(file) {
        interrupt::flag() = false;
        interrupt::catchInterrupt();
        m_thread = std::thread([this] {
            while (::access(m_file.constData(), F_OK) != 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ::kill(::getpid(), SIGINT);
        });
    }
    ~InterruptWhenCreated() {
        m_thread.join();
        interrupt::restoreDefault();
        interrupt::flag() = false;
    }
    InterruptWhenCreated(const InterruptWhenCreated&) = delete;
    InterruptWhenCreated& operator=(const InterruptWhenCreated&) = delete;

private:
    QByteArray m_file;
    std::thread m_thread;
};

// A process that is gone or a zombie waiting to be reaped by whoever inherited it.
bool hasEnded(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && line.mid(close + 2, 1) == "Z";
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

    CommandRun r;
    {
        InterruptWhenCreated interrupter(started);
        r = runWith({"--format", "json", "--jobs", "2", tree.path().toStdString()},
                    {&scanner, &interrupt::flag(), TerminalStreams{false, true, std::nullopt}});
    }
    EXPECT_EQ(r.status, 130);
    EXPECT_TRUE(r.out.empty()) << r.out;
}

TEST(ScanInterrupt, SigintDuringFetchKillsTheFetchesWithTheirChildren) {
    TempTree tree;
    for (const QByteArray name : {"a", "b"}) {
        const QByteArray repo = tree.mkdir(name);
        testfolders::initRepository(repo);
        testfolders::git(repo, {"remote", "add", "origin", "https://example.invalid/" + QString::fromUtf8(name)});
    }
    // Reads go to the real git; a fetch starts a child that never ends and waits for it.
    TempTree tools;
    const QByteArray started = tools.path() + "/started";
    const QByteArray children = tools.path() + "/children";
    const QByteArray fetchHangs = writeScript(
        tools, "git",
        "if [ \"$1\" = fetch ]; then sleep 300 & echo $! >> '" + children + "'; touch '" + started +
            "'; wait; exit 0; fi\nexec /usr/bin/git \"$@\"\n");
    GitService git(fetchHangs, GitService::kDefaultTimeout, std::chrono::minutes(10));
    ProjectScanner scanner(git);

    CommandRun r;
    {
        InterruptWhenCreated interrupter(started);
        r = runWith({"--fetch", "--progress", "--format", "json", tree.path().toStdString()},
                    {&scanner, &interrupt::flag(), TerminalStreams{false, true, std::nullopt}});
    }
    EXPECT_EQ(r.status, 130);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_EQ(r.err.find("fetch failed"), std::string::npos) << r.err;
    ASSERT_GE(r.err.size(), 4u);
    EXPECT_EQ(r.err.substr(r.err.size() - 4), "\r\x1b[K"); // no progress line is left behind

    QFile list(QString::fromUtf8(children));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QList<QByteArray> pids = list.readAll().trimmed().split('\n');
    ASSERT_FALSE(pids.isEmpty());
    for (const QByteArray& pid : pids) {
        // The kill has been sent; give a loaded machine time to deliver it.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!hasEnded(pid.toInt()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_TRUE(hasEnded(pid.toInt())) << pid.toStdString();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
