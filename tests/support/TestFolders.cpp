#include "support/TestFolders.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testfolders {

namespace {
void makeParents(const QByteArray& path) {
    for (qsizetype i = 1; i < path.size(); ++i) {
        if (path[i] == '/') ::mkdir(path.left(i).constData(), 0755);
    }
}
} // namespace

TempTree::TempTree() { EXPECT_TRUE(m_dir.isValid()); }

QByteArray TempTree::path() const { return QFile::encodeName(m_dir.path()); }

QByteArray TempTree::mkdir(const QByteArray& relative) const {
    const QByteArray full = path() + '/' + relative;
    makeParents(full + '/');
    return full;
}

QByteArray TempTree::write(const QByteArray& relative, const QByteArray& content) const {
    const QByteArray full = path() + '/' + relative;
    makeParents(full);
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0) << full.constData();
    if (fd >= 0) {
        EXPECT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
        ::close(fd);
    }
    return full;
}

namespace {

int runTestGit(QProcess& process, const QByteArray& folder, const QStringList& args, const QByteArray& date) {
    // The folder may not be valid UTF-8: enter it by file descriptor-free chdir in the child.
    process.setChildProcessModifier([folder] {
        if (::chdir(folder.constData()) != 0) ::_exit(127);
    });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GIT_AUTHOR_NAME"), QStringLiteral("Test"));
    env.insert(QStringLiteral("GIT_AUTHOR_EMAIL"), QStringLiteral("test@example.com"));
    env.insert(QStringLiteral("GIT_COMMITTER_NAME"), QStringLiteral("Test"));
    env.insert(QStringLiteral("GIT_COMMITTER_EMAIL"), QStringLiteral("test@example.com"));
    env.insert(QStringLiteral("GIT_CONFIG_NOSYSTEM"), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
    if (!date.isEmpty()) {
        env.insert(QStringLiteral("GIT_AUTHOR_DATE"), QString::fromUtf8(date));
        env.insert(QStringLiteral("GIT_COMMITTER_DATE"), QString::fromUtf8(date));
    }
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("/usr/bin/git"), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return process.exitCode();
}

} // namespace

int gitMayFail(const QByteArray& folder, const QStringList& args) {
    QProcess process;
    return runTestGit(process, folder, args, {});
}

QByteArray git(const QByteArray& folder, const QStringList& args, const QByteArray& date) {
    QProcess process;
    EXPECT_EQ(runTestGit(process, folder, args, date), 0) << "git " << args.join(QLatin1Char(' ')).toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

void initRepository(const QByteArray& folder, const QByteArray& date) {
    git(folder, {QStringLiteral("init"), QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("main")});
    git(folder, {QStringLiteral("add"), QStringLiteral("-A")});
    git(folder, {QStringLiteral("commit"), QStringLiteral("-q"), QStringLiteral("--allow-empty"), QStringLiteral("-m"),
                 QStringLiteral("initial")},
        date);
}

QByteArray writeScript(const TempTree& tree, const QByteArray& name, const QByteArray& body) {
    const QByteArray path = tree.write(name, "#!/bin/sh\n" + body);
    ::chmod(path.constData(), 0755);
    return path;
}

} // namespace testfolders
