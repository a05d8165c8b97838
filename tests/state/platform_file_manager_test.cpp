// The desktop file manager: the D-Bus file manager first, then xdg-open, and false when
// neither takes the folder.
#include "state/FolderUrl.h"
#include "state/platform/DesktopServices.h"
#include "support/TestFolders.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using testfolders::TempTree;

namespace {

// A file manager on a private bus that records the items it is asked to show.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public slots:
    void ShowItems(const QStringList& uris, const QString&) { shown += uris; }
};

// A bus of the test's own; empty address when dbus-daemon could not start.
struct PrivateBus {
    QProcess daemon;
    QString address;
    PrivateBus() {
        daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (daemon.waitForReadyRead(30000)) address = QString::fromUtf8(daemon.readLine().trimmed());
    }
    ~PrivateBus() {
        daemon.kill();
        daemon.waitForFinished();
    }
};

struct XdgOpenCase {
    const char* name;
    const char* script; // the fake xdg-open's body; nullptr: none on the PATH
    bool shown;
    std::chrono::milliseconds patience = 30s;
};

class XdgOpenFallback : public ::testing::TestWithParam<XdgOpenCase> {};

TEST_P(XdgOpenFallback, SaysWhetherTheFolderWasTaken) {
    TempTree tree;
    const QByteArray folder = tree.mkdir("caf\xc3\xa9 #1");
    const QByteArray bin = tree.mkdir("bin");
    if (GetParam().script) {
        testfolders::writeScript(tree, "bin/xdg-open",
                                 QByteArray("printf '%s' \"$1\" > '") + tree.path() + "/args'\n" + GetParam().script);
    }
    // No bus at that address: D-Bus is not there.
    DesktopFileManager manager({QStringLiteral("unix:path=") + QString::fromUtf8(tree.path()) + "/no-bus", bin, GetParam().patience});
    EXPECT_EQ(manager.show(folderUrl(folder)), GetParam().shown);
    if (GetParam().script) {
        QFile args(QString::fromUtf8(tree.path() + "/args"));
        for (int waited = 0; !args.exists() && waited < 30000; waited += 20) QThread::msleep(20);
        ASSERT_TRUE(args.open(QIODevice::ReadOnly)) << "xdg-open was run";
        EXPECT_EQ(args.readAll(), folder) << "the folder's path, byte for byte";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, XdgOpenFallback,
                         ::testing::Values(XdgOpenCase{"NoXdgOpen", nullptr, false},
                                           XdgOpenCase{"XdgOpenOpens", "exit 0\n", true},
                                           XdgOpenCase{"XdgOpenFindsNoHandler", "exit 3\n", false},
                                           XdgOpenCase{"XdgOpenRunsTheFileManager", "sleep 2\n", true, 500ms}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DesktopFileManager, AsksTheDBusFileManagerFirst) {
    PrivateBus bus;
    if (bus.address.isEmpty()) GTEST_SKIP() << "dbus-daemon did not start";
    QDBusConnection service = QDBusConnection::connectToBus(bus.address, QStringLiteral("fake-file-manager"));
    ASSERT_TRUE(service.isConnected());
    QThread serviceThread;
    serviceThread.start();
    FakeFileManager fake;
    fake.moveToThread(&serviceThread);
    ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fake,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));

    TempTree tree;
    const QByteArray folder = tree.mkdir("project");
    const QByteArray bin = tree.mkdir("bin"); // no xdg-open: only D-Bus can show it
    DesktopFileManager manager({bus.address, bin, 30s});
    EXPECT_TRUE(manager.show(folderUrl(folder)));
    serviceThread.quit();
    serviceThread.wait();
    EXPECT_EQ(fake.shown, QStringList{folderUrl(folder).toString(QUrl::FullyEncoded)});
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-file-manager"));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "platform_file_manager_test.moc"
