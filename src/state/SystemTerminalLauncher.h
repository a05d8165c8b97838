#pragma once

#include "state/PlatformServices.h"

#include <QByteArray>
#include <QList>
#include <optional>

// Opens the user's terminal emulator in a folder without any shell: the folder becomes the
// child's working directory and, for the terminals that take one, a working-directory
// argument, so every byte of the path reaches the terminal as it is.
//
// Candidates, first one that starts wins: $TERMINAL, x-terminal-emulator, then the common
// terminals of the desktops. The terminal is started detached (double fork): it is not our
// child, outlives nothing of ours and leaves no zombie.
class SystemTerminalLauncher : public TerminalLauncher {
public:
    // Reads TERMINAL and PATH from the environment at each launch.
    SystemTerminalLauncher() = default;
    // Uses the given values instead of the environment's (none: the variable is unset).
    SystemTerminalLauncher(std::optional<QByteArray> terminal, std::optional<QByteArray> path);

    bool openTerminal(const QByteArray& folder) override;
    bool runInTerminal(const QByteArray& folder, const QList<QByteArray>& command) override;
    QStringList triedPrograms() const override;

    // The programs tried, in order (names or paths as given).
    QList<QByteArray> candidates() const;
    // The arguments that make the terminal named `terminalName` (a file name such as "kitty")
    // open in `folder`; empty for the terminals that use their working directory.
    static QList<QByteArray> workingDirectoryArguments(const QByteArray& terminalName,
                                                       const QByteArray& folder);
    // The executable `program` stands for: an absolute path as it is, a bare name searched in
    // the PATH's absolute folders; none for a relative path with a slash (it would name a file
    // of the folder the terminal opens in) and when no executable file is found.
    std::optional<QByteArray> resolveExecutable(const QByteArray& program) const;
    // The same with the PATH given.
    static std::optional<QByteArray> resolveInPath(const QByteArray& program, const QByteArray& path);
    // The arguments that make the terminal named `terminalName` run `command` (program and
    // arguments, each handed over as it is): "--" for gnome-terminal and kgx, "-x" for the
    // terminals that take the rest that way, the command itself for kitty and foot, "start --"
    // for wezterm, and the Debian convention "-e" with the words following for the others.
    static QList<QByteArray> commandArguments(const QByteArray& terminalName, const QList<QByteArray>& command);

private:
    std::optional<QByteArray> terminalVariable() const;
    QByteArray pathVariable() const;

    bool m_fixedEnvironment = false;
    std::optional<QByteArray> m_terminal;
    std::optional<QByteArray> m_path;
};

// Starts `executable` with `arguments` in `workingDirectory` as a detached process, without a
// shell. Returns whether the program was executed (false when the folder cannot be entered or
// the program cannot be run; `error`, when given, then holds the errno of the failure).
bool spawnDetached(const QByteArray& executable, const QList<QByteArray>& arguments,
                   const QByteArray& workingDirectory, int* error = nullptr);
