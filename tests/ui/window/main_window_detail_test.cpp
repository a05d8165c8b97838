// The List mode's detail pane in the real main window: its sections for a project with and
// without git, and every action it offers with what the desktop services were asked.
#include "WindowFixture.h"

#include <QSignalSpy>

using uitest::click;
using uitest::findItem;
using uitest::findItems;
using uitest::kWindowWait;

namespace {

using DetailPane = uitest::WindowFixture;

TEST_F(DetailPane, TheDetailPaneShowsEverySectionAndReportsEveryAction)
{
    makeThreeProjects();
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(scan(m_tree.path()));
    window->setProperty("viewMode", 0);
    ASSERT_TRUE(waitShown("listScreen"));

    // The rows of the list, in the order of the filtered projects; clicking one selects it.
    QList<QQuickItem*> rows;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (rows = findItems(window, "projectRow")).size() == 3; }, kWindowWait));
    click(rows[1]);
    ASSERT_EQ(m_viewModel->selectedProjectId(), idOf("shop"));
    ASSERT_TRUE(waitShown("projectDetail"));
    EXPECT_TRUE(rows[1]->property("selected").toBool());
    EXPECT_EQ(findItems(rows[1], "changesDot").size(), 1) << "orange dot for uncommitted changes";
    EXPECT_EQ(findItems(rows[0], "changesDot").size(), 0);

    // A git project with a version, uncommitted changes, a branch and two remotes.
    auto cardValue = [&](const char* card) {
        QQuickItem* c = item(card);
        return c ? findItem(c, "infoCardValue")->property("text").toString() : QStringLiteral("<hidden>");
    };
    EXPECT_EQ(text("detailName"), "shop");
    EXPECT_EQ(text("detailPath"), "~/apps/shop");
    EXPECT_EQ(cardValue("typeCard"), "Node.js");
    EXPECT_EQ(cardValue("versionCard"), "1.0.0");
    EXPECT_FALSE(cardValue("lastModifiedCard").isEmpty());
    EXPECT_EQ(cardValue("gitStatusCard"), "1 untracked");
    // Every reason for attention in words, first in the Sync section.
    EXPECT_TRUE(uitest::showsText(item("attentionField"), "1 untracked, no upstream"));
    EXPECT_EQ(item("gitStatusCard")->property("tone").toString(), "orange");
    ASSERT_TRUE(shown("gitSection"));
    EXPECT_TRUE(shown("branchRow"));
    const auto remoteRows = findItems(window, "remoteRow");
    ASSERT_EQ(remoteRows.size(), 2);
    EXPECT_TRUE(uitest::showsText(remoteRows[0], "origin"));
    EXPECT_TRUE(uitest::showsText(remoteRows[1], "upstream"));

    // The copy button of the second remote passes the second remote.
    click(findItem(remoteRows[1], "copyRemoteButton"));
    EXPECT_EQ(m_clipboard->texts, QStringList({kUpstreamUrl}));
    click(findItem(remoteRows[0], "copyRemoteButton"));
    EXPECT_EQ(m_clipboard->texts.last(), kOriginUrl);
    EXPECT_TRUE(waitShown("noticeBar")) << "copying is confirmed";
    EXPECT_EQ(text("noticeText"), "Copied");

    // The actions lie below the Sync section: scroll the pane to its end first, and back after.
    const auto scrollDetail = [&](bool toEnd) {
        auto* flick = item("projectDetail")->property("contentItem").value<QQuickItem*>();
        ASSERT_NE(flick, nullptr);
        const double end = std::max(0.0, flick->property("contentHeight").toDouble() - flick->height());
        flick->setProperty("contentY", toEnd ? end : 0.0);
        QTest::qWait(20);
    };
    scrollDetail(true);
    click(item("openFinderButton"));
    ASSERT_EQ(m_files->opened.size(), 1);
    EXPECT_EQ(m_files->opened.first().toLocalFile(), rootText() + "/apps/shop");
    EXPECT_TRUE(uitest::showsText(item("openFinderButton"), "Open in File Manager"));
    click(item("openTerminalButton"));
    ASSERT_EQ(m_terminal->folders.size(), 1);
    EXPECT_EQ(m_terminal->folders.first(), m_tree.path() + "/apps/shop");
    // No terminal to be found: the notice names what was tried.
    m_terminal->starts = false;
    click(item("openTerminalButton"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("noticeText").contains("fake-term"); }, kWindowWait));
    EXPECT_TRUE(text("noticeText").contains("$TERMINAL"));

    scrollDetail(false);
    QSignalSpy refreshed(m_viewModel.get(), &ProjectsViewModel::refreshFinished);
    const QString before = m_viewModel->selectedProjectId();
    click(item("refreshProjectButton"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshed.count() == 1; }, kWindowWait));
    EXPECT_NE(m_viewModel->selectedProjectId(), before) << "the refreshed record replaces the old one";
    EXPECT_TRUE(waitShown("projectDetail"));
    EXPECT_EQ(text("detailName"), "shop");

    // A Swift project without git: no version card, "No Git" with a green check, no git section.
    m_viewModel->selectProject(idOf("Bird"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("detailName") == "Bird"; }, kWindowWait));
    EXPECT_FALSE(shown("versionCard"));
    EXPECT_EQ(cardValue("gitStatusCard"), "No Git");
    EXPECT_EQ(item("gitStatusCard")->property("tone").toString(), "green");
    EXPECT_EQ(item("gitStatusCard")->property("icon").toString(), "checkmark.circle");
    EXPECT_FALSE(shown("gitSection"));
    EXPECT_FALSE(shown("branchRow"));

    // Nothing selected: the placeholder.
    m_viewModel->selectProject("");
    EXPECT_TRUE(waitShown("selectProjectPlaceholder"));
    EXPECT_FALSE(shown("projectDetail"));
    EXPECT_TRUE(uitest::showsText(item("selectProjectPlaceholder"), "Select a Project"));
    EXPECT_TRUE(uitest::showsText(item("selectProjectPlaceholder"), "Choose a project from the sidebar to view details"));
}

} // namespace
