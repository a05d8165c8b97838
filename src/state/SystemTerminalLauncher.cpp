#include "state/SystemTerminalLauncher.h"

#include <QHash>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

// The desktops' terminals after $TERMINAL and x-terminal-emulator, in the order tried.
const QList<QByteArray>& commonTerminals() {
    static const QList<QByteArray> names = {
        "gnome-terminal", "konsole", "xfce4-terminal", "kitty", "alacritty", "wezterm", "foot", "xterm",
    };
    return names;
}

enum class DirectoryStyle {
    joined,    // "--option=DIR"
    separate,  // "--option", "DIR"
    wezterm,   // "start", "--cwd", "DIR"
};

struct DirectoryOption {
    DirectoryStyle style;
    const char* option;
};

const QHash<QByteArray, DirectoryOption>& directoryOptions() {
    static const QHash<QByteArray, DirectoryOption> options = {
        {"gnome-terminal", {DirectoryStyle::joined, "--working-directory"}},
        {"xfce4-terminal", {DirectoryStyle::joined, "--working-directory"}},
        {"mate-terminal", {DirectoryStyle::joined, "--working-directory"}},
        {"tilix", {DirectoryStyle::joined, "--working-directory"}},
        {"terminator", {DirectoryStyle::joined, "--working-directory"}},
        {"kgx", {DirectoryStyle::joined, "--working-directory"}},
        {"foot", {DirectoryStyle::joined, "--working-directory"}},
        {"konsole", {DirectoryStyle::separate, "--workdir"}},
        {"qterminal", {DirectoryStyle::separate, "--workdir"}},
        {"kitty", {DirectoryStyle::separate, "--directory"}},
        {"alacritty", {DirectoryStyle::separate, "--working-directory"}},
        {"wezterm", {DirectoryStyle::wezterm, "--cwd"}},
    };
    return options;
}

QByteArray fileName(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

bool isExecutableFile(const QByteArray& path) {
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.constData(), X_OK) == 0;
}

// The name of the terminal a program stands for: links such as x-terminal-emulator are
// followed to the terminal they point at.
QByteArray terminalName(const QByteArray& executable) {
    QByteArray name = fileName(executable);
    if (char* real = ::realpath(executable.constData(), nullptr)) {
        name = fileName(QByteArray(real));
        ::free(real);
    }
    return name;
}

void writeErrno(int fd, int error) {
    const char* bytes = reinterpret_cast<const char*>(&error);
    size_t done = 0;
    while (done < sizeof(error)) {
        const ssize_t n = ::write(fd, bytes + done, sizeof(error) - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += size_t(n);
    }
}

} // namespace

SystemTerminalLauncher::SystemTerminalLauncher(std::optional<QByteArray> terminal, std::optional<QByteArray> path)
    : m_fixedEnvironment(true), m_terminal(std::move(terminal)), m_path(std::move(path)) {}

std::optional<QByteArray> SystemTerminalLauncher::terminalVariable() const {
    if (m_fixedEnvironment) return m_terminal;
    if (!qEnvironmentVariableIsSet("TERMINAL")) return std::nullopt;
    return qgetenv("TERMINAL");
}

QByteArray SystemTerminalLauncher::pathVariable() const {
    std::optional<QByteArray> path = m_path;
    if (!m_fixedEnvironment && qEnvironmentVariableIsSet("PATH")) path = qgetenv("PATH");
    if (!path) return QByteArrayLiteral("/usr/local/bin:/usr/bin:/bin");
    return *path;
}

QList<QByteArray> SystemTerminalLauncher::candidates() const {
    QList<QByteArray> list;
    if (const std::optional<QByteArray> terminal = terminalVariable(); terminal && !terminal->isEmpty()) {
        list.append(*terminal);
    }
    list.append(QByteArrayLiteral("x-terminal-emulator"));
    list.append(commonTerminals());
    return list;
}

QStringList SystemTerminalLauncher::triedPrograms() const {
    QStringList names;
    for (const QByteArray& program : candidates()) names.append(QString::fromLocal8Bit(program));
    return names;
}

std::optional<QByteArray> SystemTerminalLauncher::resolveExecutable(const QByteArray& program) const {
    return resolveInPath(program, pathVariable());
}

std::optional<QByteArray> SystemTerminalLauncher::resolveInPath(const QByteArray& program, const QByteArray& path) {
    if (program.isEmpty() || program.contains('\0')) return std::nullopt;
    if (program.contains('/')) {
        // A relative path would be taken from the folder the terminal is started in.
        if (program.startsWith('/') && isExecutableFile(program)) return program;
        return std::nullopt;
    }
    for (const QByteArray& directory : path.split(':')) {
        // An empty PATH entry means the current directory; a terminal is never taken from there.
        if (directory.isEmpty() || !directory.startsWith('/')) continue;
        const QByteArray candidate = directory + '/' + program;
        if (isExecutableFile(candidate)) return candidate;
    }
    return std::nullopt;
}

QList<QByteArray> SystemTerminalLauncher::workingDirectoryArguments(const QByteArray& terminalName,
                                                                    const QByteArray& folder) {
    const auto it = directoryOptions().constFind(terminalName);
    if (it == directoryOptions().cend()) return {};
    const QByteArray option(it->option);
    switch (it->style) {
    case DirectoryStyle::joined: return {option + '=' + folder};
    case DirectoryStyle::separate: return {option, folder};
    case DirectoryStyle::wezterm: return {QByteArrayLiteral("start"), option, folder};
    }
    return {};
}

bool SystemTerminalLauncher::openTerminal(const QByteArray& folder) {
    if (folder.isEmpty() || folder.contains('\0')) return false;
    for (const QByteArray& program : candidates()) {
        const std::optional<QByteArray> executable = resolveExecutable(program);
        if (!executable) continue;
        const QList<QByteArray> arguments = workingDirectoryArguments(terminalName(*executable), folder);
        if (spawnDetached(*executable, arguments, folder)) return true;
    }
    return false;
}

bool SystemTerminalLauncher::runInTerminal(const QByteArray& folder, const QList<QByteArray>& command) {
    if (folder.isEmpty() || folder.contains('\0') || command.isEmpty()) return false;
    for (const QByteArray& program : candidates()) {
        const std::optional<QByteArray> executable = resolveExecutable(program);
        if (!executable) continue;
        const QByteArray name = terminalName(*executable);
        const QList<QByteArray> arguments = workingDirectoryArguments(name, folder) + commandArguments(name, command);
        if (spawnDetached(*executable, arguments, folder)) return true;
    }
    return false;
}

QList<QByteArray> SystemTerminalLauncher::commandArguments(const QByteArray& terminalName, const QList<QByteArray>& command) {
    static const QHash<QByteArray, QList<QByteArray>> lead = {
        {"gnome-terminal", {"--"}}, {"kgx", {"--"}},         {"xfce4-terminal", {"-x"}},
        {"mate-terminal", {"-x"}},  {"terminator", {"-x"}},  {"tilix", {"-x"}},
        {"kitty", {}},              {"foot", {}},            {"wezterm", {"--"}},
    };
    // wezterm's "start --cwd DIR" comes first (workingDirectoryArguments), then "--".
    return lead.value(terminalName, {QByteArrayLiteral("-e")}) + command;
}

bool spawnDetached(const QByteArray& executable, const QList<QByteArray>& arguments,
                   const QByteArray& workingDirectory, int* error) {
    int unused = 0;
    int& failure = error ? *error : unused;
    failure = EINVAL;
    if (executable.contains('\0') || workingDirectory.contains('\0')) return false;
    for (const QByteArray& argument : arguments) {
        if (argument.contains('\0')) return false;
    }
    failure = 0;

    // Everything the children need is prepared here: after fork they only make system calls.
    std::vector<QByteArray> storage;
    storage.reserve(size_t(arguments.size()) + 1);
    storage.push_back(executable);
    for (const QByteArray& argument : arguments) storage.push_back(argument);
    std::vector<char*> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray& item : storage) argv.push_back(item.data());
    argv.push_back(nullptr);
    const QByteArray directory = workingDirectory;

    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    // The report pipe: closed unread when exec succeeds, or carrying the errno of the failure.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        failure = errno;
        if (devNull >= 0) ::close(devNull);
        return false;
    }

    const pid_t intermediate = ::fork();
    if (intermediate < 0) {
        failure = errno;
        ::close(report[0]);
        ::close(report[1]);
        if (devNull >= 0) ::close(devNull);
        return false;
    }
    if (intermediate == 0) {
        ::close(report[0]);
        if (::chdir(directory.constData()) != 0) {
            writeErrno(report[1], errno);
            ::_exit(1);
        }
        ::setsid();
        const pid_t terminal = ::fork();
        if (terminal < 0) {
            writeErrno(report[1], errno);
            ::_exit(1);
        }
        if (terminal > 0) ::_exit(0);

        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::signal(SIGPIPE, SIG_DFL);
        if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
        ::execve(argv[0], argv.data(), environ);
        writeErrno(report[1], errno);
        ::_exit(127);
    }

    ::close(report[1]);
    if (devNull >= 0) ::close(devNull);
    int status = 0;
    while (::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    int reported = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &reported, sizeof(reported));
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    const bool started = got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!started) failure = got == ssize_t(sizeof(reported)) ? reported : ECHILD;
    return started;
}
