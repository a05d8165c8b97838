// The window's sync state: the attention counter and its filter, the list rows' marks, the
// detail pane's Sync section and fetch, and a repository git refused shown as a problem.
#include "QmlSetup.h"
#include "UiTestSupport.h"

#include "discovery/ProjectScanner.h"
#include "state/LiveUpdates.h"
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
#include <pwd.h>
#include <unistd.h>

using testfolders::git;
using uitest::click;
using uitest::findItem;
using uitest::findItems;
using uitest::showsText;

namespace {

constexpr int kWait = 60000;

class SyncWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_settingsDir.isValid());
        m_engine = std::make_unique<QQmlEngine>();
        uisetup::prepareEngine(*m_engine);
        // "shop": one commit ahead of its upstream with a stash; "tidy": in step; "theirs":
        // owned by another user, so git refuses it; "shop/web": a package inside "shop".
        const QByteArray seed = m_tree.mkdir("seed");
        testfolders::initRepository(seed);
        git(m_tree.path(), {"clone", "-q", "--bare", "seed", "remote.git"});
        m_root = m_tree.mkdir("root");
        git(m_root, {"clone", "-q", "../remote.git", "shop"});
        git(m_root, {"clone", "-q", "../remote.git", "tidy"});
        m_tree.write("root/shop/a", "stash\n");
        git(m_root + "/shop", {"add", "a"});
        git(m_root + "/shop", {"stash", "-q"});
        m_tree.write("root/shop/web/package.json", R"({"name":"web"})");
        git(m_root + "/shop", {"add", "-A"});
        git(m_root + "/shop", {"commit", "-qm", "Add the web package"});
        if (::geteuid() == 0) {
            const QByteArray theirs = m_tree.mkdir("root/theirs");
            testfolders::initRepository(theirs);
            const passwd* nobody = ::getpwnam("nobody");
            ASSERT_NE(nobody, nullptr);
            const QByteArray chown = "chown -R nobody '" + theirs + "'";
            ASSERT_EQ(std::system(chown.constData()), 0);
            m_refused = true;
        }
        auto settings = std::make_shared<QSettings>(m_settingsDir.filePath("settings.ini"), QSettings::IniFormat);
        m_viewModel = std::make_unique<ProjectsViewModel>(ProjectScanner::shared(), settings, PlatformServices{});
        m_window.reset(uisetup::createMainWindow(*m_engine, m_viewModel.get(), false));
        ASSERT_NE(m_window, nullptr);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        m_viewModel->chooseFolder(QUrl::fromLocalFile(QString::fromUtf8(m_root)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWait));
    }

    void TearDown() override
    {
        m_window.reset();
        m_viewModel.reset();
        m_engine.reset();
        if (m_refused)
            std::system(("chown -R root '" + m_root + "/theirs'").constData());
    }

    QQuickItem* item(const char* name) { return findItem(m_window.get(), QString::fromLatin1(name)); }
    bool waitShown(const char* name) { return QTest::qWaitFor([&] { return item(name) != nullptr; }, kWait); }
    void select(const QString& name)
    {
        for (const Project& p : m_viewModel->projects())
            if (p.name == name)
                m_viewModel->selectProject(p.id.toString(QUuid::WithoutBraces));
    }

    testfolders::TempTree m_tree;
    QByteArray m_root;
    bool m_refused = false;
    QTemporaryDir m_settingsDir;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<ProjectsViewModel> m_viewModel;
    std::unique_ptr<QQuickWindow> m_window;
};

TEST_F(SyncWindowTest, TheAttentionCounterFiltersAndClearsAgain)
{
    ASSERT_TRUE(waitShown("attentionPill"));
    const int expected = m_refused ? 2 : 1;
    EXPECT_EQ(item("attentionPill")->property("value").toInt(), expected);
    click(item("attentionPill"));
    EXPECT_EQ(m_viewModel->statusFilterText(), "attention");
    EXPECT_EQ(m_viewModel->filteredCount(), expected);
    EXPECT_TRUE(item("filterOutline") != nullptr);
    click(item("attentionPill"));
    EXPECT_EQ(m_viewModel->statusFilterText(), "");
    EXPECT_EQ(m_viewModel->filteredCount(), m_viewModel->projectCount());
}

TEST_F(SyncWindowTest, RowsAndDetailPaneShowTheSyncState)
{
    m_window->setProperty("viewMode", 0);
    ASSERT_TRUE(waitShown("listScreen"));
    select("shop");
    ASSERT_TRUE(waitShown("syncSection"));
    QQuickItem* section = item("syncSection");
    EXPECT_TRUE(showsText(section, "Sync"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return item("syncMark_ahead") != nullptr; }, kWait));
    EXPECT_EQ(item("syncMark_ahead")->property("text").toString(), QString::fromUtf8("↑1"));
    EXPECT_NE(item("syncMark_stash"), nullptr);
    EXPECT_NE(item("fetchProjectButton"), nullptr);
    EXPECT_EQ(item("syncProblem"), nullptr);
    EXPECT_EQ(item("watchedLiveField"), nullptr) << "watched live: nothing said";

    // With no room for its watches, a project says so.
    m_viewModel->liveUpdates()->watcher().setBudget(1);
    m_viewModel->scanProjects();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading() && !m_viewModel->liveUpdates()->watcher().planning(); }, kWait));
    select("shop");
    ASSERT_TRUE(waitShown("watchedLiveField"));
    EXPECT_TRUE(showsText(item("watchedLiveField"), "not watched live"));

    select("web");
    ASSERT_TRUE(QTest::qWaitFor([&] { return item("partOfLink") != nullptr; }, kWait));
    EXPECT_TRUE(item("partOfLink")->property("text").toString().startsWith("Part of "));
    click(item("partOfLink"));
    EXPECT_EQ(m_viewModel->selectedProjectRecord()->name, "shop");

    if (!m_refused)
        GTEST_SKIP() << "needs root for a repository owned by another user";
    select("theirs");
    ASSERT_TRUE(waitShown("syncProblem"));
    EXPECT_TRUE(showsText(item("syncProblem"), "not trusted by git"));
    EXPECT_TRUE(item("syncProblemAdvice")->property("text").toString().contains("safe.directory"));
    QQuickItem* status = item("gitStatusCard");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(findItem(status, "infoCardValue")->property("text").toString(), "Problem");
}

TEST_F(SyncWindowTest, CardsCallCleanOnlyWhatNeedsNothing)
{
    m_window->setProperty("viewMode", 3);
    const int repositories = m_refused ? 3 : 2;
    ASSERT_TRUE(QTest::qWaitFor([&] { return findItems(m_window.get(), "statusText").size() >= repositories; }, kWait));
    QStringList texts, lines;
    for (QQuickItem* t : findItems(m_window.get(), "statusText"))
        texts.append(t->property("text").toString());
    for (QQuickItem* t : findItems(m_window.get(), "attentionLine"))
        if (t->isVisible()) lines.append(t->property("text").toString());
    // tidy needs nothing; shop's tree is clean but it has a commit to push and a stash; theirs
    // could not be read.
    EXPECT_EQ(texts.count("Clean"), 1) << texts.join(", ").toStdString();
    EXPECT_EQ(texts.count("No local changes"), 1) << texts.join(", ").toStdString();
    EXPECT_EQ(texts.count("Problem"), m_refused ? 1 : 0) << texts.join(", ").toStdString();
    EXPECT_EQ(lines, QStringList{"Needs attention: 1 commit to push, 1 stash"});
}

} // namespace
