// codeorchardist-scan --watch as a script sees it: JSON Lines on standard output while the
// real git changes the projects, and exit status 130 on SIGINT.
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>

using testfolders::git;
using testfolders::TempTree;

namespace {

constexpr int kWait = 20000;

// Reads standard output by lines until `done` holds for one; false when the time runs out.
bool readLinesUntil(QProcess& process, QList<QJsonObject>& lines, const std::function<bool(const QJsonObject&)>& done) {
    for (;;) {
        while (process.canReadLine()) {
            const QByteArray line = process.readLine();
            QJsonParseError error;
            const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line.constData();
            EXPECT_TRUE(doc.isObject()) << line.constData();
            lines.append(doc.object());
            if (done(doc.object())) return true;
        }
        if (!process.waitForReadyRead(kWait)) return false;
    }
}

TEST(WatchCommand, PrintsJsonLinesForEachChangeAndEndsWith130OnInterrupt) {
    TempTree tree;
    for (const char* name : {"app", "gone"}) {
        tree.write(QByteArray(name) + "/file.txt", "1\n");
        testfolders::initRepository(tree.path() + "/" + name);
    }
    const QString app = QString::fromUtf8(tree.path() + "/app");
    const QString gone = QString::fromUtf8(tree.path() + "/gone");

    QProcess array;
    array.start(QStringLiteral(CODEORCHARDIST_SCAN_PROGRAM), {"--format", "json", QString::fromUtf8(tree.path())});
    ASSERT_TRUE(array.waitForFinished(kWait));
    const QJsonObject element = QJsonDocument::fromJson(array.readAllStandardOutput()).array().first().toObject();

    QProcess watch;
    watch.start(QStringLiteral(CODEORCHARDIST_SCAN_PROGRAM),
                {"--watch", "--format", "json", "--no-progress", QString::fromUtf8(tree.path())});
    QList<QJsonObject> lines;
    ASSERT_TRUE(readLinesUntil(watch, lines, [&](const QJsonObject&) { return lines.size() == 2; }));
    EXPECT_EQ(lines[0].keys(), element.keys()) << "each line is an element of the array";
    // Changes are printed from the moment the watches are in place.
    watch.setReadChannel(QProcess::StandardError);
    for (QByteArray err; !err.contains("watching 2 of 2 projects"); err += watch.readAllStandardError())
        ASSERT_TRUE(watch.waitForReadyRead(kWait)) << err.constData();
    watch.setReadChannel(QProcess::StandardOutput);

    git(tree.path() + "/app", {"checkout", "-q", "-b", "feature"});
    ASSERT_TRUE(readLinesUntil(watch, lines, [&](const QJsonObject& o) { return o.value("path").toString() == app; }));
    EXPECT_EQ(lines.last().value("gitBranch").toString(), QStringLiteral("feature"));
    const QJsonObject& first = lines[0].value("path").toString() == app ? lines[0] : lines[1];
    EXPECT_EQ(lines.last().value("id"), first.value("id")) << "a project keeps its id";

    QDir(gone).removeRecursively();
    ASSERT_TRUE(readLinesUntil(watch, lines, [](const QJsonObject& o) { return o.contains("removed"); }));
    EXPECT_EQ(lines.last(), QJsonObject({{"removed", gone}}));

    ::kill(pid_t(watch.processId()), SIGINT);
    ASSERT_TRUE(watch.waitForFinished(kWait));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 130);
    const auto aboutApp = std::count_if(lines.cbegin(), lines.cend(), [&](const QJsonObject& o) { return o.value("path").toString() == app; });
    EXPECT_EQ(aboutApp, 2) << "a read that changes nothing prints nothing";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
