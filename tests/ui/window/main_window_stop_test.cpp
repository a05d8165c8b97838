// The loading screen of the real main window while git is stuck: the scan's counts, the bar
// once the walk has ended, the folder line, and Stop (button and Escape), after which the
// window shows what it showed before the scan, or "Scan stopped" when there was nothing.
#include "QmlSetup.h"
#include "UiTestSupport.h"
#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"
#include "support/TestFolders.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using uitest::click;
using uitest::findItem;

namespace {

constexpr int kWait = 60000;

class MainWindowStopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tree.write("alpha/package.json", R"({"name":"alpha"})");
        m_tree.write("beta/package.json", R"({"name":"beta"})");
        testfolders::initRepository(m_tree.path() + "/beta");
        // A git that hangs while the file "hang" exists.
        const QByteArray git = m_tools.write("git", "#!/bin/sh\nif [ -e '" + m_tools.path() + "/hang' ]; then touch '" +
                                                        started() + "'; exec sleep 300; fi\nexec /usr/bin/git \"$@\"\n");
        ::chmod(git.constData(), 0755);
        m_git = std::make_unique<GitService>(git, std::chrono::minutes(10));
        m_scanner = std::make_unique<ProjectScanner>(*m_git);
        m_settings = std::make_shared<QSettings>(m_settingsDir.filePath("settings.ini"), QSettings::IniFormat);
        m_viewModel = std::make_unique<ProjectsViewModel>(*m_scanner, m_settings, PlatformServices{});
        m_engine = std::make_unique<QQmlEngine>();
        uisetup::prepareEngine(*m_engine);
        m_window.reset(uisetup::createMainWindow(*m_engine, m_viewModel.get(), false));
        ASSERT_TRUE(m_window);
        m_window->show();
        m_window->requestActivate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    void TearDown() override
    {
        m_window.reset();
        m_viewModel.reset();
        m_scanner.reset();
        m_engine.reset();
    }

    QByteArray started() const { return m_tools.path() + "/started"; }
    void setHanging(bool on)
    {
        if (on)
            m_tools.write("hang", "");
        else
            ::unlink((m_tools.path() + "/hang").constData());
        ::unlink(started().constData());
    }
    // The scan has walked everything and waits for the stuck git.
    bool waitForStuckGit()
    {
        return QTest::qWaitFor([&] {
            return ::access(started().constData(), F_OK) == 0 && m_viewModel->scanSession()->progress().walkDone &&
                   item("scanProgressText") &&
                   item("scanProgressText")->property("text").toString().endsWith(QStringLiteral("git 0 of 1"));
        }, kWait);
    }

    QQuickItem* item(const char* name) { return findItem(m_window.get(), QString::fromLatin1(name)); }
    bool waitShown(const char* name)
    {
        return QTest::qWaitFor([&] { return item(name) != nullptr; }, kWait);
    }

    testfolders::TempTree m_tree;
    testfolders::TempTree m_tools;
    QTemporaryDir m_settingsDir;
    std::shared_ptr<QSettings> m_settings;
    std::unique_ptr<GitService> m_git;
    std::unique_ptr<ProjectScanner> m_scanner;
    std::unique_ptr<ProjectsViewModel> m_viewModel;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;
};

TEST_F(MainWindowStopTest, ProgressAndStopOfAFirstScanThenEscapeDuringARescan)
{
    setHanging(true);
    m_viewModel->chooseFolder(QUrl::fromLocalFile(QString::fromUtf8(m_tree.path())));
    ASSERT_TRUE(waitShown("loadingView"));
    ASSERT_TRUE(waitForStuckGit());
    EXPECT_EQ(item("scanProgressText")->property("text").toString(),
              QStringLiteral("3 folders \u00B7 2 projects \u00B7 git 0 of 1"));
    // The walk has ended: the bar shows how many repositories are read.
    QQuickItem* bar = item("scanProgressBar");
    ASSERT_TRUE(bar);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->opacity() == 1.0; }, kWait));
    EXPECT_EQ(bar->property("value").toDouble(), 0.0);
    EXPECT_TRUE(item("scanFolder")->property("text").toString().startsWith(QString::fromUtf8(m_tree.path())));
    EXPECT_EQ(item("scanFolder")->property("elide").toInt(), int(Qt::ElideMiddle));

    click(item("stopScanButton"));
    ASSERT_TRUE(waitShown("noProjectsView"));
    EXPECT_FALSE(m_viewModel->isLoading());
    EXPECT_TRUE(uitest::showsText(item("noProjectsView"), QStringLiteral("Scan stopped")));

    // A scan that ends shows its projects; a stopped rescan (Escape) brings them back unchanged.
    setHanging(false);
    m_viewModel->scanProjects();
    ASSERT_TRUE(waitShown("cardsScreen"));
    const QList<Project> projects = m_viewModel->projects();
    ASSERT_EQ(projects.size(), 2);

    setHanging(true);
    m_viewModel->scanProjects();
    ASSERT_TRUE(waitShown("loadingView"));
    ASSERT_TRUE(waitForStuckGit());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    ASSERT_TRUE(waitShown("cardsScreen"));
    EXPECT_EQ(m_viewModel->projects(), projects);
    EXPECT_FALSE(m_viewModel->isLoading());
    ASSERT_TRUE(waitShown("scanNotice"));
    EXPECT_TRUE(item("scanNoticeText")->property("text").toString().startsWith(
        QString::fromUtf8("Scan stopped — showing the results of ")));

    // A stopped first scan of a newly chosen root: the root shown, its projects, the counters
    // and the stored root all stay those of the last scan that ended.
    testfolders::TempTree otherTree;
    const QByteArray other = otherTree.path();
    otherTree.write("gamma/package.json", "{}");
    testfolders::initRepository(other + "/gamma");
    setHanging(true);
    m_viewModel->chooseFolder(QUrl::fromLocalFile(QString::fromUtf8(other)));
    EXPECT_FALSE(m_viewModel->showsScanPath()) << "no counters for the new root until its scan ends";
    EXPECT_EQ(item("counters"), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ::access(started().constData(), F_OK) == 0; }, kWait));
    click(item("stopScanButton"));
    ASSERT_TRUE(waitShown("cardsScreen"));
    EXPECT_EQ(m_viewModel->scanPathBytes(), m_tree.path());
    EXPECT_EQ(m_viewModel->projects(), projects);
    EXPECT_NE(item("counters"), nullptr);
    ProjectsViewModel reopened(*m_scanner, m_settings, PlatformServices{});
    EXPECT_EQ(reopened.scanPathBytes(), m_tree.path());
}

} // namespace
