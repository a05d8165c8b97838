#pragma once

#include <QByteArray>
#include <QList>
#include <chrono>

// Starts a helper program that either hands its work on and ends (a launcher such as xdg-open)
// or keeps running as the program it opened, and tells which. No shell: `executable` is run
// with `arguments`, in its own session, with standard input from the null device and the
// process's environment. The caller waits at most `patience`; a child still running then is
// left to run and is reaped by a thread of its own, so it never becomes a zombie.
namespace watchedspawn {

enum class Outcome {
    succeeded,     // ended with status 0
    failed,        // ended with another status or by a signal
    stillRunning,  // running after `patience`: it started and did not complain
    notStarted,    // could not be executed
};

Outcome run(const QByteArray& executable, const QList<QByteArray>& arguments,
            std::chrono::milliseconds patience);

} // namespace watchedspawn
