// A fetch may reach the network, so it may run ssh, a credential helper or an askpass
// program: only the user's own choice of them, never the scanned repository's.

#include "GitSafetySupport.h"
#include "discovery/GitEnvironment.h"

#include <QFile>

using namespace gitsafety;
using testfolders::TempTree;
using testfolders::git;

namespace {

// A fetch-capable setup: a user without global configuration, a stand-in "ssh" first in PATH.
class FetchSetup {
public:
    FetchSetup() {
        m_sshRecord = m_tree.path() + "/ssh-arguments";
        writeScript(m_tree, "bin/ssh", "printf '%s\\n' \"$@\" > '" + m_sshRecord + "'\nexit 255\n");
        repo = m_tree.mkdir("repo");
        m_tree.write("repo/file", "1\n");
        testfolders::initRepository(repo);
    }

    const TempTree& tree() const { return m_tree; }
    QByteArray marker(const QByteArray& name) const { return m_tree.path() + '/' + name; }
    QByteArray program(const QByteArray& name, const QByteArray& body) const { return writeScript(m_tree, name, body); }
    QByteArray sshArguments() const {
        QFile file(QString::fromLocal8Bit(m_sshRecord));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The inherited environment of a user whose global configuration is `globalConfig`.
    QList<QByteArray> inherited(const QByteArray& globalConfig = {}, const QList<QByteArray>& extra = {}) const {
        QList<QByteArray> env;
        for (const QString& entry : QProcessEnvironment::systemEnvironment().toStringList()) {
            const QByteArray bytes = entry.toLocal8Bit();
            if (bytes.startsWith("PATH=") || bytes.startsWith("HOME=") || bytes.startsWith("GIT_")) continue;
            env.append(bytes);
        }
        env.append("PATH=" + m_tree.path() + "/bin:/usr/bin:/bin");
        env.append("HOME=/nonexistent");
        env.append("GIT_CONFIG_NOSYSTEM=1");
        if (!globalConfig.isEmpty()) env.append("GIT_CONFIG_GLOBAL=" + m_tree.write("global.cfg", globalConfig));
        env += extra;
        return env;
    }

    // git with the fetch environment built from `inherited`.
    PlainRun run(const QStringList& args, const QList<QByteArray>& inherited, const QByteArray& input = {}) const {
        QProcess process;
        process.setWorkingDirectory(QString::fromLocal8Bit(repo));
        QStringList env;
        for (const QByteArray& entry : gitenv::forFetch(gitenv::baseEnvironment(inherited), repo)) {
            env.append(QString::fromLocal8Bit(entry));
        }
        process.setEnvironment(env);
        process.start(QStringLiteral("/usr/bin/git"), args);
        if (!input.isNull()) process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput()};
    }

    QByteArray repo;

private:
    TempTree m_tree;
    QByteArray m_sshRecord;
};

std::vector<std::pair<QString, QString>> pathWithFakeSsh(const FetchSetup& setup) {
    return {{QStringLiteral("PATH"), QString::fromLocal8Bit(setup.tree().path() + "/bin:/usr/bin:/bin")}};
}

TEST(GitFetchEnvironment, SshIsTheUsersInBatchModeNeverTheRepositorys) {
    FetchSetup setup;
    const QByteArray marker = setup.marker("repository-ssh-ran");
    git(setup.repo, {"remote", "add", "origin", "ssh://git@example.invalid/x.git"});
    git(setup.repo, {"config", "core.sshCommand",
                     QString::fromUtf8(setup.program("repo-ssh.sh", "touch '" + marker + "'\nexit 255\n"))});
    plainGit(setup.repo, {"fetch", "-q", "origin"}, pathWithFakeSsh(setup));
    ASSERT_TRUE(fileExists(marker)) << "control: plain git fetch runs the repository's ssh command";
    ASSERT_EQ(::unlink(marker.constData()), 0);

    EXPECT_NE(setup.run({"fetch", "-q", "origin"}, setup.inherited()).exitCode, 0);
    EXPECT_FALSE(fileExists(marker));
    EXPECT_TRUE(setup.sshArguments().contains("BatchMode=yes")) << setup.sshArguments().constData();

    // The user's own choice, in the global configuration or the environment, is kept.
    const QByteArray userMarker = setup.marker("user-ssh-ran");
    const QByteArray userSsh = setup.program("user-ssh.sh", "touch '" + userMarker + "'\nexit 255\n");
    setup.run({"fetch", "-q", "origin"}, setup.inherited("[core]\n\tsshCommand = " + userSsh + "\n"));
    EXPECT_TRUE(fileExists(userMarker));
    ASSERT_EQ(::unlink(userMarker.constData()), 0);
    setup.run({"fetch", "-q", "origin"}, setup.inherited({}, {"GIT_SSH_COMMAND=" + userSsh}));
    EXPECT_TRUE(fileExists(userMarker));
    EXPECT_FALSE(fileExists(marker));
}

TEST(GitFetchEnvironment, RepositoryUploadPackProxyAndRemoteHelperPathsAreNotRun) {
    FetchSetup setup;
    const QByteArray source = setup.tree().mkdir("source");
    setup.tree().write("source/readme", "source\n");
    testfolders::initRepository(source);
    const QByteArray marker = setup.marker("repository-program-ran");
    const QString program = QString::fromUtf8(setup.program("repo-program.sh", "touch '" + marker + "'\nexit 1\n"));

    git(setup.repo, {"remote", "add", "origin", QString::fromUtf8(source)});
    git(setup.repo, {"config", "remote.origin.uploadpack", program});
    git(setup.repo, {"remote", "add", "daemon", "git://127.0.0.1:1/x.git"});
    git(setup.repo, {"config", "core.gitProxy", program});
    // A remote helper "name" with a slash is run as a path below the working tree.
    git(setup.repo, {"remote", "add", "helper", "https://example.invalid/x.git"});
    git(setup.repo, {"config", "remote.helper.vcs", "x/../helper.sh"});
    setup.tree().mkdir("repo/git-remote-x");
    setup.program("repo/helper.sh", "touch '" + marker + "'\nexit 1\n");

    for (const char* remote : {"origin", "daemon", "helper"}) {
        SCOPED_TRACE(remote);
        plainGit(setup.repo, {"fetch", "-q", remote});
        ASSERT_TRUE(fileExists(marker)) << "control: plain git fetch runs the repository's program";
        ASSERT_EQ(::unlink(marker.constData()), 0);
        setup.run({"fetch", "-q", remote}, setup.inherited());
        EXPECT_FALSE(fileExists(marker));
    }
    // The user's allowed transports, without those that would run the repository's program.
    setup.run({"fetch", "-q", "origin"}, setup.inherited({}, {"GIT_ALLOW_PROTOCOL=file:ext:https"}));
    EXPECT_FALSE(fileExists(marker));
    EXPECT_TRUE(gitenv::forFetch(gitenv::baseEnvironment(setup.inherited({}, {"GIT_ALLOW_PROTOCOL=file:ext:https"})),
                                 setup.repo)
                    .contains("GIT_ALLOW_PROTOCOL=https"));

    git(setup.repo, {"config", "--unset", "remote.origin.uploadpack"});
    EXPECT_EQ(setup.run({"fetch", "-q", "origin"}, setup.inherited()).exitCode, 0) << "a local fetch still works";
}

TEST(GitFetchEnvironment, CredentialHelpersAndAskPassAreOnlyTheUsers) {
    FetchSetup setup;
    const QByteArray marker = setup.marker("repository-credential-program-ran");
    const QString program = QString::fromUtf8(setup.program("repo-credential.sh", "touch '" + marker + "'\n"));
    const QByteArray request = "protocol=https\nhost=example.com\npath=x.git\n\n";
    const std::vector<std::pair<QString, QString>> noPrompt = {{"GIT_TERMINAL_PROMPT", "0"}};

    git(setup.repo, {"config", "core.askPass", program});
    plainGit(setup.repo, {"credential", "fill"}, noPrompt, request);
    ASSERT_TRUE(fileExists(marker)) << "control: git asks the repository's askpass program";
    ASSERT_EQ(::unlink(marker.constData()), 0);
    EXPECT_NE(setup.run({"credential", "fill"}, setup.inherited(), request).exitCode, 0);
    EXPECT_FALSE(fileExists(marker));

    for (const char* key : {"credential.helper", "credential.https://example.com.helper"}) {
        SCOPED_TRACE(key);
        git(setup.repo, {"config", key, program});
        plainGit(setup.repo, {"credential", "fill"}, noPrompt, request);
        ASSERT_TRUE(fileExists(marker)) << "control: git runs the repository's credential helper";
        ASSERT_EQ(::unlink(marker.constData()), 0);
        setup.run({"credential", "fill"}, setup.inherited(), request);
        EXPECT_FALSE(fileExists(marker));
    }

    // The user's helper still answers.
    const QByteArray helper = setup.program("user-helper.sh", "echo username=user\necho password=secret\n");
    const PlainRun answered =
        setup.run({"credential", "fill"}, setup.inherited("[credential]\n\thelper = " + helper + "\n"), request);
    EXPECT_EQ(answered.exitCode, 0);
    EXPECT_TRUE(answered.output.contains("password=secret")) << answered.output.constData();
    EXPECT_FALSE(fileExists(marker));
}

} // namespace
