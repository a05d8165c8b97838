// One window per settings file: a second start hands its folder to the running one.
#include "SingleInstance.h"

#include "state/FolderBookmark.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Generous bounds for a loaded machine; every wait ends as soon as its state is reached.
constexpr int kStateTimeoutMs = 120000;

QString socketPathIn(const QTemporaryDir& dir) { return dir.path() + "/instance"; }

TEST(SingleInstance, AFolderIsHandedOverExactlyAndAnswered)
{
    QTemporaryDir dir;
    SingleInstance running(socketPathIn(dir));
    ASSERT_TRUE(running.listen());
    QSignalSpy requests(&running, &SingleInstance::activationRequested);

    // Bytes that are not UTF-8 name a folder too and must arrive unchanged.
    const QByteArray folders[] = {QString::fromUtf8("/srv/Projekte/\u65e5\u672c/two\nlines").toUtf8(),
                                  QByteArray("/srv/caf\xe9"), QByteArray()};
    for (const QByteArray& folder : folders) {
        std::atomic<int> taken{-1};
        std::thread later([&] { taken = SingleInstance(socketPathIn(dir)).handOver(folder, kStateTimeoutMs) ? 1 : 0; });
        QTRY_VERIFY_WITH_TIMEOUT(taken != -1, kStateTimeoutMs);
        later.join();
        EXPECT_EQ(taken, 1);
        ASSERT_FALSE(requests.isEmpty());
        EXPECT_EQ(requests.takeFirst().at(0).toByteArray(), folder);
    }
}

TEST(SingleInstance, NobodyListeningAndALeftoverSocketAreNoInstance)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SingleInstance(socketPathIn(dir)).handOver("/tmp"));
    {
        // A crashed instance leaves its socket file behind: bound, then closed without removing it.
        const QByteArray path = QFile::encodeName(socketPathIn(dir));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
        ASSERT_TRUE(QFileInfo::exists(socketPathIn(dir)));
    }
    SingleInstance next(socketPathIn(dir));
    EXPECT_TRUE(next.listen()) << "a socket no one answers on is taken over";
    SingleInstance third(socketPathIn(dir));
    EXPECT_FALSE(third.listen()) << "a live instance keeps its name";
}

TEST(SingleInstance, MalformedRequestsAreDroppedAndTheNextOneServed)
{
    QTemporaryDir dir;
    SingleInstance running(socketPathIn(dir));
    ASSERT_TRUE(running.listen());
    QSignalSpy requests(&running, &SingleInstance::activationRequested);

    QLocalSocket huge;
    huge.connectToServer(socketPathIn(dir));
    ASSERT_TRUE(huge.waitForConnected(kStateTimeoutMs));
    QByteArray head(4, '\0');
    qToBigEndian<quint32>(0xfffffff0u, head.data());
    huge.write(head + "xx");
    huge.flush();
    QTRY_VERIFY_WITH_TIMEOUT(huge.state() == QLocalSocket::UnconnectedState, kStateTimeoutMs);

    std::atomic<int> taken{-1};
    std::thread later([&] { taken = SingleInstance(socketPathIn(dir)).handOver("/ok", kStateTimeoutMs) ? 1 : 0; });
    QTRY_VERIFY_WITH_TIMEOUT(taken != -1, kStateTimeoutMs);
    later.join();
    EXPECT_EQ(taken, 1);
    ASSERT_EQ(requests.size(), 1) << "the oversized request asked for nothing";
    EXPECT_EQ(requests.first().at(0).toString(), QStringLiteral("/ok"));
}

// The folder the program at `configHome` has stored, read as the program reads it.
QString storedFolder(const QString& configHome)
{
    QSettings settings(configHome + "/Codeorchardist/Codeorchardist.conf", QSettings::IniFormat);
    const QVariant bookmark = settings.value("Codeorchardist.ScanPath");
    if (const auto resolved = folderbookmark::resolve(bookmark.toByteArray()))
        return QString::fromUtf8(resolved->path);
    return settings.value("Codeorchardist.ScanPath.path").toString();
}

TEST(SingleInstance, ASecondStartMakesTheRunningWindowScanItsFolderAndExitsZero)
{
    QTemporaryDir config, runtime;
    testfolders::TempTree tree;
    tree.write("first/app/package.json", R"({"name":"app"})");
    tree.write("second/lib/package.json", R"({"name":"lib"})");
    const QString first = QString::fromUtf8(tree.path()) + "/first";
    const QString second = QString::fromUtf8(tree.path()) + "/second";

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    const QString asan = env.value("ASAN_OPTIONS");
    env.insert("ASAN_OPTIONS", asan.isEmpty() ? QStringLiteral("detect_leaks=0") : asan + ":detect_leaks=0");

    QProcess running;
    running.setProcessEnvironment(env);
    running.start(QStringLiteral(CODEORCHARDIST_GUI_BINARY), {first});
    ASSERT_TRUE(running.waitForStarted(kStateTimeoutMs));
    // The folder is stored after the program listens, so this is the moment it can be reached.
    QTRY_COMPARE_WITH_TIMEOUT(storedFolder(config.path()), first, kStateTimeoutMs);
    ASSERT_EQ(running.state(), QProcess::Running);

    QProcess later;
    later.setProcessEnvironment(env);
    later.start(QStringLiteral(CODEORCHARDIST_GUI_BINARY), {second});
    ASSERT_TRUE(later.waitForFinished(kStateTimeoutMs));
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0) << later.readAllStandardError().toStdString();

    QTRY_COMPARE_WITH_TIMEOUT(storedFolder(config.path()), second, kStateTimeoutMs);
    EXPECT_EQ(running.state(), QProcess::Running) << "the first window stays";

    running.terminate();
    if (!running.waitForFinished(kStateTimeoutMs)) {
        running.kill();
        running.waitForFinished(kStateTimeoutMs);
    }
}

} // namespace
