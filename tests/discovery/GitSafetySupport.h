#pragma once

// Helpers for the tests that show a scanned repository cannot make git run its programs.

#include "support/TestFolders.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <utility>
#include <vector>

namespace gitsafety {

using testfolders::writeScript;

inline bool fileExists(const QByteArray& path) {
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

// A program that leaves `marker` behind and passes its standard input through (so that it
// also serves as a filter or a pager).
inline QByteArray markerProgram(const testfolders::TempTree& tree, const QByteArray& name, const QByteArray& marker) {
    return writeScript(tree, name, "touch '" + marker + "'\ncat\n");
}

// Gives `path` a modification time it never had, so git must look at its content again.
inline void touchLater(const QByteArray& path) {
    static long long step = 0;
    struct timespec times[2];
    times[0].tv_sec = times[1].tv_sec = ::time(nullptr) + 3600 + (++step) * 10;
    times[0].tv_nsec = times[1].tv_nsec = 0;
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
}

struct PlainRun {
    int exitCode = -1;
    QByteArray output;
};

// A program run as a user would run it, without the scan's environment; does not fail the
// test when the program fails. `extra` entries are added to the environment.
inline PlainRun plainRun(const QByteArray& folder, const QString& program, const QStringList& args,
                         const std::vector<std::pair<QString, QString>>& extra = {}, const QByteArray& input = {}) {
    QProcess process;
    process.setWorkingDirectory(QString::fromLocal8Bit(folder));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
    env.insert(QStringLiteral("GIT_CONFIG_NOSYSTEM"), QStringLiteral("1"));
    for (const auto& [name, value] : extra) env.insert(name, value);
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!input.isNull()) process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput()};
}

inline PlainRun plainGit(const QByteArray& folder, const QStringList& args,
                         const std::vector<std::pair<QString, QString>>& extra = {}, const QByteArray& input = {}) {
    return plainRun(folder, QStringLiteral("/usr/bin/git"), args, extra, input);
}

// Sets (or, with nothing, unsets) a variable of this process for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<QByteArray> value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name)) m_previous = qgetenv(name);
        if (value) qputenv(name, *value);
        else qunsetenv(name);
    }
    ~ScopedVariable() {
        if (m_previous) qputenv(m_name, *m_previous);
        else qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_previous;
};

} // namespace gitsafety
