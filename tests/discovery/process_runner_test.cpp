#include "discovery/ProcessRunner.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <QFile>

#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <thread>

using testfolders::TempTree;

namespace {

ProcessRequest shell(const TempTree& tree, const QByteArray& script) {
    ProcessRequest request;
    request.program = "/bin/sh";
    request.arguments = {"-c", script};
    request.workingDirectory = tree.path();
    request.environment = {"PATH=/usr/bin:/bin"};
    return request;
}

// Alive and not a zombie waiting for whoever adopted it to reap it.
bool processExists(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray text = stat.readAll();
    const qsizetype paren = text.lastIndexOf(')');
    return paren >= 0 && paren + 2 < text.size() && text[paren + 2] != 'Z';
}

TEST(ProcessRunner, ExitStatusStandardErrorAndOutputAreKeptApart) {
    TempTree tree;
    const ProcessResult result =
        runProcessFull(shell(tree, "printf out; printf 'fatal: broken\\n' >&2; read x; echo \"[$x]\"; exit 3"));
    EXPECT_EQ(result.outcome, ProcessResult::Outcome::exited);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_FALSE(result.succeeded());
    EXPECT_EQ(result.output, "out[]\n"); // standard input is empty, never the caller's terminal
    EXPECT_EQ(result.errorOutput, "fatal: broken\n");
    // The plain form keeps answering with the output whatever the exit status.
    EXPECT_EQ(runProcess(shell(tree, "printf x; exit 1")), QByteArray("x"));
}

TEST(ProcessRunner, StandardErrorIsCappedButDrained) {
    TempTree tree;
    // Far more than a pipe holds: the child would block if standard error were not read.
    const ProcessResult result = runProcessFull(shell(tree, "head -c 1000000 /dev/zero >&2; printf done"));
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.output, "done");
    EXPECT_EQ(result.errorOutput.size(), ProcessResult::kErrorLimit);
}

TEST(ProcessRunner, FailedStartIsReportedWithItsError) {
    TempTree tree;
    ProcessRequest request = shell(tree, "true");
    request.program = tree.path() + "/missing";
    const ProcessResult result = runProcessFull(request);
    EXPECT_EQ(result.outcome, ProcessResult::Outcome::failedToStart);
    EXPECT_EQ(result.startError, ENOENT);
    EXPECT_FALSE(runProcess(request));
}

TEST(ProcessRunner, CancelKillsTheChildAndItsProcessGroup) {
    TempTree tree;
    const QByteArray pidFile = tree.path() + "/grandchild.pid";
    // The grandchild closes the pipes, so only the process-group kill can end it.
    ProcessRequest request =
        shell(tree, "sleep 300 >/dev/null 2>&1 </dev/null & echo $! > pid.tmp && mv pid.tmp grandchild.pid;"
                    " exec sleep 300");
    std::atomic<bool> cancel{false};
    request.cancel = &cancel;
    std::thread stopper([&] {
        while (!QFile::exists(QString::fromUtf8(pidFile))) std::this_thread::yield();
        cancel = true;
    });
    const ProcessResult result = runProcessFull(request);
    stopper.join();
    EXPECT_EQ(result.outcome, ProcessResult::Outcome::cancelled);
    QFile file(QString::fromUtf8(pidFile));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const pid_t grandchild = pid_t(file.readAll().trimmed().toInt());
    ASSERT_GT(grandchild, 0);
    // SIGKILL to the group is sent before the run returns; the grandchild dies right after.
    // Without the group kill it would live on for five minutes.
    for (int i = 0; i < 2000 && processExists(grandchild); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(processExists(grandchild));
    if (processExists(grandchild)) ::kill(grandchild, SIGKILL);
}

} // namespace
