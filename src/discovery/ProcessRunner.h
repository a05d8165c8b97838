#pragma once

#include <QByteArray>
#include <QList>
#include <chrono>
#include <optional>

// Runs one program to its end and collects its standard output.
//
// The child is started with posix_spawn (a vfork-class start, cheap even from a large
// process), in `workingDirectory`, with standard input inherited, standard error sent to
// the null device and `environment` as its whole environment. Standard output is drained
// while the child runs. A child still running at `timeout` is killed together with its
// process group, and the run counts as failed.
struct ProcessRequest {
    QByteArray program;
    QList<QByteArray> arguments; // without argv[0]
    QByteArray workingDirectory;
    QList<QByteArray> environment; // "NAME=value" entries
    std::chrono::milliseconds timeout{30000};
};

// Standard output of a run that started and ended in time; nothing when the program could
// not be started (missing executable, missing folder, refused) or ran past its time limit.
std::optional<QByteArray> runProcess(const ProcessRequest& request);
