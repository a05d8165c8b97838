#pragma once

#include <QByteArray>
#include <QList>
#include <atomic>
#include <chrono>
#include <optional>

// Runs one program to its end and collects its standard output and the start of its
// standard error.
//
// The child is started with posix_spawn (a vfork-class start, cheap even from a large
// process), in `workingDirectory`, with standard input from the null device and
// `environment` as its whole environment. Both output pipes are drained while the child
// runs. A child still running at `timeout`, or when `cancel` becomes true, is killed
// together with its process group.
struct ProcessRequest {
    QByteArray program;
    QList<QByteArray> arguments; // without argv[0]
    QByteArray workingDirectory;
    QList<QByteArray> environment; // "NAME=value" entries
    std::chrono::milliseconds timeout{30000};
    // Looked at about every 50 ms while the child runs; may be null.
    const std::atomic<bool>* cancel = nullptr;
};

struct ProcessResult {
    enum class Outcome { exited, signalled, failedToStart, timedOut, cancelled };
    Outcome outcome = Outcome::failedToStart;
    int exitCode = -1;       // the exit status when outcome is exited
    int startError = 0;      // errno of a failed start
    QByteArray output;       // standard output, whole
    QByteArray errorOutput;  // the first kErrorLimit bytes of standard error

    static constexpr qsizetype kErrorLimit = 4096;

    bool finished() const { return outcome == Outcome::exited || outcome == Outcome::signalled; }
    bool succeeded() const { return outcome == Outcome::exited && exitCode == 0; }
};

ProcessResult runProcessFull(const ProcessRequest& request);

// Standard output of a run that started and ended in time, whatever its exit status;
// nothing when the program could not be started (missing executable, missing folder,
// refused), ran past its time limit or was cancelled.
std::optional<QByteArray> runProcess(const ProcessRequest& request);
