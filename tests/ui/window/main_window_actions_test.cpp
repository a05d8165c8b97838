// The project actions in the real window: the same context menu on a List row, a Tree line, a
// card and a Graph node (by right click and by the Menu key), the answer of an action shown
// beside the buttons rather than over them, and Tab reaching the actions and the counters.
#include "WindowFixture.h"

#include <QRectF>

using uitest::click;
using uitest::findItem;
using uitest::findItems;
using uitest::kWindowWait;

namespace {

class ActionsTest : public uitest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        makeThreeProjects();
        makeViewModel();
        ASSERT_TRUE(openWindow(QSize(1000, 700)));
        ASSERT_TRUE(scan(m_tree.path()));
        m_viewModel->selectProject(idOf("shop"));
    }
    QRectF sceneRect(QQuickItem* i) { return i->mapRectToScene(QRectF(0, 0, i->width(), i->height())); }
    void rightClick(QQuickItem* target)
    {
        ASSERT_NE(target, nullptr);
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(m_window.get(), Qt::RightButton, {}, centre.toPoint());
    }
    bool menuOpen() { return QTest::qWaitFor([&] { return shown("menuAction_terminal"); }, kWindowWait); }
    void closeMenu()
    {
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !shown("menuAction_terminal"); }, kWindowWait));
    }
};

struct ViewCase {
    const char* name;
    ViewMode::Mode mode;
    const char* screen;
    const char* target; // the objectName of the project's item to right-click; "" for none
};

class ContextMenu : public ActionsTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ContextMenu, OpensByRightClickAndMenuKeyAndActsOnTheProject)
{
    const ViewCase& c = GetParam();
    m_window->setProperty("viewMode", int(c.mode));
    ASSERT_TRUE(waitShown(c.screen));
    QTest::qWait(200); // the view's first layout
    m_viewModel->selectProject(idOf("Bird"));

    // The Menu key opens the selected project's menu.
    QTest::keyClick(m_window.get(), Qt::Key_Menu);
    ASSERT_TRUE(menuOpen()) << "the Menu key";
    EXPECT_FALSE(shown("menuAction_fetch")) << "no git, no Fetch";
    closeMenu();
    QTest::keyClick(m_window.get(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(menuOpen()) << "Shift+F10";
    closeMenu();

    // A right click on the shop's item selects it and opens its menu.
    if (*c.target) {
        QQuickItem* target = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            for (QQuickItem* i : findItems(m_window.get(), c.target))
                if (uitest::showsText(i, "shop") || i->property("name").toString() == "shop") target = i;
            return target != nullptr;
        }, kWindowWait));
        rightClick(target);
        ASSERT_TRUE(menuOpen()) << "right click";
        EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("shop"));
        ASSERT_TRUE(shown("menuAction_fetch"));
        EXPECT_TRUE(item("menuAction_fetch")->isEnabled()) << "shop has remotes";
        click(item("menuAction_terminal"));
        ASSERT_EQ(m_terminal->folders.size(), 1);
        EXPECT_EQ(m_terminal->folders.first(), m_tree.path() + "/apps/shop");
    }
}

INSTANTIATE_TEST_SUITE_P(Views, ContextMenu,
                         ::testing::Values(ViewCase{"List", ViewMode::List, "listScreen", "projectRow"},
                                           ViewCase{"Tree", ViewMode::Tree, "treeScreen", "projectNode"},
                                           ViewCase{"Cards", ViewMode::Cards, "cardsScreen", "projectCard"},
                                           ViewCase{"Graph", ViewMode::Graph, "graphScreen", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ActionsTest, TheAnswerStandsBesideTheActionsRowNotOverIt)
{
    m_window->setProperty("viewMode", int(ViewMode::List));
    ASSERT_TRUE(waitShown("actionsRow"));
    auto* flick = item("projectDetail")->property("contentItem").value<QQuickItem*>();
    ASSERT_NE(flick, nullptr);
    // Scrolled to the end once the pane's layout has settled.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        flick->setProperty("contentY", std::max(0.0, flick->property("contentHeight").toDouble() - flick->height()));
        QTest::qWait(50);
        return flick->property("atYEnd").toBool();
    }, kWindowWait));
    m_terminal->starts = false;
    click(item("openTerminalButton"));
    ASSERT_TRUE(waitShown("noticeBar"));
    EXPECT_TRUE(text("noticeText").contains("fake-term, x-terminal-emulator"));
    QTest::qWait(100); // the layout makes room for the notice
    const QRectF notice = sceneRect(item("noticeBar"));
    const QRectF actions = sceneRect(item("actionsRow"));
    EXPECT_FALSE(notice.intersects(actions)) << "notice top " << notice.top() << ", actions bottom " << actions.bottom();
    EXPECT_TRUE(sceneRect(item("projectDetail")).contains(actions)) << "the actions stay in view";
    EXPECT_LE(notice.bottom(), m_window->height() + 0.5);
}

TEST_F(ActionsTest, FetchWithoutARemoteSaysThereIsNothingToFetchFrom)
{
    m_tree.write("apps/lonely/package.json", R"({"name":"lonely"})");
    testfolders::initRepository(m_tree.path() + "/apps/lonely");
    ASSERT_TRUE(scan(m_tree.path()));
    m_viewModel->selectProject(idOf("lonely"));
    m_window->setProperty("viewMode", int(ViewMode::List));
    ASSERT_TRUE(waitShown("fetchProjectButton"));
    EXPECT_FALSE(item("fetchProjectButton")->property("available").toBool());
    EXPECT_TRUE(item("fetchProjectButton")->property("tip").toString().startsWith("No remote to fetch from"));
    click(item("fetchProjectButton"));
    EXPECT_FALSE(m_viewModel->fetcher()->isFetching()) << "a greyed Fetch does nothing";

    item("projectList")->forceActiveFocus();
    QTest::keyClick(m_window.get(), Qt::Key_Menu);
    ASSERT_TRUE(menuOpen());
    ASSERT_TRUE(shown("menuAction_fetch"));
    EXPECT_FALSE(item("menuAction_fetch")->isEnabled());
    EXPECT_TRUE(uitest::showsText(item("menuAction_fetch"), "No remote to fetch from"));
}

TEST_F(ActionsTest, TabReachesTheActionsAndTheCountersAndEnterOrSpaceActivates)
{
    m_window->setProperty("viewMode", int(ViewMode::List));
    ASSERT_TRUE(waitShown("openFinderButton"));
    item("projectList")->forceActiveFocus();
    auto tabTo = [&](const char* name) {
        for (int i = 0; i < 60; ++i) {
            QQuickItem* target = item(name);
            if (target && target->hasActiveFocus()) return true;
            QTest::keyClick(m_window.get(), Qt::Key_Tab);
        }
        return false;
    };
    ASSERT_TRUE(tabTo("openFinderButton"));
    EXPECT_TRUE(item("openFinderButton")->property("visualFocus").toBool()) << "the focus ring shows";
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    ASSERT_EQ(m_files->opened.size(), 1);
    EXPECT_EQ(m_files->opened.first().toLocalFile(), rootText() + "/apps/shop");

    ASSERT_TRUE(tabTo("attentionFilter"));
    EXPECT_TRUE(findItem(item("attentionFilter"), "focusRing")) << "the counter's focus ring shows";
    QTest::keyClick(m_window.get(), Qt::Key_Space);
    EXPECT_EQ(m_viewModel->statusFilterText(), "attention");
    QTest::keyClick(m_window.get(), Qt::Key_Space);
    EXPECT_EQ(m_viewModel->statusFilterText(), "");

    // The detail pane beside the Cards is reached the same way.
    m_window->setProperty("viewMode", int(ViewMode::Cards));
    ASSERT_TRUE(waitShown("sideDetail"));
    ASSERT_TRUE(tabTo("openTerminalButton"));
    QTest::keyClick(m_window.get(), Qt::Key_Space);
    EXPECT_EQ(m_terminal->folders.size(), 1);
}

} // namespace
