#include "state/FolderUrl.h"
#include "state/ProjectsViewModel.h"
#include "state/platform/DesktopServices.h"
#include "support/TestFolders.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testfolders::TempTree;

namespace {

TEST(GuiClipboard, ReplacesTheContentWithExactlyThePlainText) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto* previous = new QMimeData;
    previous->setHtml(QStringLiteral("<b>old</b>"));
    previous->setText(QStringLiteral("old"));
    clipboard->setMimeData(previous);

    GuiClipboard service;
    service.clear();
    EXPECT_TRUE(clipboard->text().isEmpty());
    const QString url = QStringLiteral("git@example.com:team/app name.git");
    service.setPlainText(url);
    EXPECT_EQ(clipboard->text(), url);
    ASSERT_TRUE(clipboard->mimeData());
    EXPECT_EQ(clipboard->mimeData()->formats(), QStringList{"text/plain"});
}

TEST(ApplicationViewModel, UsesTheApplicationsSettingsFile) {
    QTemporaryDir config;
    const std::optional<QByteArray> savedConfig =
        qEnvironmentVariableIsSet("XDG_CONFIG_HOME") ? std::optional(qgetenv("XDG_CONFIG_HOME")) : std::nullopt;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    TempTree tree;
    {
        QObject owner;
        ProjectsViewModel* model = createApplicationViewModel(&owner);
        EXPECT_EQ(model->parent(), &owner);
        EXPECT_FALSE(model->hasScanPath());
        model->setScanPath(tree.path());
    }
    const QString file = config.filePath(QStringLiteral("Codeorchardist/Codeorchardist.conf"));
    EXPECT_TRUE(QFile::exists(file));
    QSettings settings(file, QSettings::IniFormat);
    EXPECT_TRUE(settings.contains(ProjectsViewModel::scanPathKey()));
    if (savedConfig) qputenv("XDG_CONFIG_HOME", *savedConfig); else qunsetenv("XDG_CONFIG_HOME");
}

TEST(ApplicationViewModel, OversizedSettingsFileIsNeitherReadNorRewrittenAndIsReported) {
    QTemporaryDir config;
    const std::optional<QByteArray> savedConfig =
        qEnvironmentVariableIsSet("XDG_CONFIG_HOME") ? std::optional(qgetenv("XDG_CONFIG_HOME")) : std::nullopt;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    TempTree tree;
    ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("Codeorchardist")));
    const QString file = config.filePath(QStringLiteral("Codeorchardist/Codeorchardist.conf"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("[General]\nCodeorchardist.ScanPath.path=" + tree.path() + "\n");
        out.write(QByteArray(2 * 1024 * 1024, '#'));
    }
    const qint64 size = QFileInfo(file).size();
    {
        QObject owner;
        ProjectsViewModel* model = createApplicationViewModel(&owner);
        EXPECT_FALSE(model->hasScanPath());
        EXPECT_TRUE(model->settingsMessage().contains(file)) << model->settingsMessage().toStdString();
        model->setScanPath(tree.path());
        EXPECT_FALSE(model->settingsMessage().isEmpty());
    }
    EXPECT_EQ(QFileInfo(file).size(), size);
    if (savedConfig) qputenv("XDG_CONFIG_HOME", *savedConfig); else qunsetenv("XDG_CONFIG_HOME");
}

} // namespace

int main(int argc, char** argv) {
    // The in-process clipboard of the offscreen platform, whatever display the run has.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
