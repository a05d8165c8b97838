// One state in every view of the real window: a filter set in one view shows in every other and
// clears with Escape, the selection is always a project shown, a refresh reaches the Tree in
// place, and no view says anything on standard error while it is used.
#include "WindowFixture.h"

using uitest::click;
using uitest::findItem;
using uitest::findItems;
using uitest::kWindowWait;

namespace {

class TruthTest : public uitest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        makeThreeProjects();
        makeViewModel();
        ASSERT_TRUE(openWindow());
        ASSERT_TRUE(scan(m_tree.path()));
    }
    void setMode(int mode) { m_window->setProperty("viewMode", mode); }
    // The Tree's project line of `name`.
    QQuickItem* treeLine(const QString& name)
    {
        for (QQuickItem* node : findItems(m_window.get(), "projectNode"))
            if (node->property("name").toString() == name) return node;
        return nullptr;
    }
};

TEST_F(TruthTest, AFilterSetInOneViewShowsInEveryViewAndEscapeClearsIt)
{
    // The dashboard's "Stale (30d+)" tile: shop's last commit is from January.
    ASSERT_TRUE(waitShown("statStale"));
    click(item("statStale"));
    ASSERT_EQ(m_viewModel->statusFilterText(), "stale");
    m_viewModel->selectProject(idOf("shop"));
    for (const int mode : {int(ViewMode::List), int(ViewMode::Tree), int(ViewMode::Cards)}) {
        setMode(mode);
        SCOPED_TRACE(mode);
        ASSERT_TRUE(waitShown("matchBadge"));
        EXPECT_TRUE(uitest::showsText(item("matchBadge"), "1 of 3 shown"));
        EXPECT_TRUE(shown("staleChip")) << "the filter shows in the header";
    }
    setMode(ViewMode::List);
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("detailName") == "shop"; }, kWindowWait));
    EXPECT_EQ(item("projectList")->property("currentIndex").toInt(), 0);

    // Escape with no search clears the state filter: nothing filters any more.
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_EQ(m_viewModel->statusFilterText(), QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("staleChip") && !shown("matchBadge"); }, kWindowWait));
    // The highlighted row follows the selection when the rows change under it.
    EXPECT_EQ(item("projectList")->property("currentIndex").toInt(), m_viewModel->selectedRow());
    EXPECT_EQ(text("detailName"), "shop");

    // A search that hides the selected project takes the selection with it; Escape clears it.
    m_viewModel->setSearchText("tool");
    EXPECT_TRUE(waitShown("selectProjectPlaceholder"));
    EXPECT_FALSE(shown("projectDetail"));
    EXPECT_EQ(item("projectList")->property("currentIndex").toInt(), -1);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_EQ(m_viewModel->searchText(), QString());

    // "3 projects" stands for all of them: lit while nothing filters, a click clears every filter.
    m_viewModel->setSelectedTypeFilterText("Python");
    m_viewModel->setStatusFilterText("modified");
    click(item("allFilter"));
    EXPECT_FALSE(m_viewModel->filterActive());
}

TEST_F(TruthTest, TheDetailPaneStandsBesideEveryViewAndTheOrderComesFromTheMenu)
{
    // The scan's own choice of a first project opens nothing; a click on a card does.
    setMode(ViewMode::Cards);
    ASSERT_TRUE(waitShown("cardsScreen"));
    EXPECT_FALSE(shown("sideDetail"));
    QQuickItem* tool = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QQuickItem* c : findItems(m_window.get(), "face"))
            if (c->parentItem() && c->parentItem()->property("name").toString() == "tool") tool = c->parentItem();
        return tool != nullptr;
    }, kWindowWait));
    click(tool);
    ASSERT_TRUE(waitShown("sideDetail"));
    EXPECT_EQ(text("detailName"), "tool");
    // The same pane beside the Tree and the Graph, until it is closed.
    for (const int mode : {int(ViewMode::Tree), int(ViewMode::Graph)}) {
        setMode(mode);
        EXPECT_TRUE(waitShown("sideDetail")) << mode;
    }
    click(item("closeDetailButton"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("sideDetail"); }, kWindowWait));

    // The order and the hiding of nested projects, from the header's menu, in the List.
    setMode(ViewMode::List);
    ASSERT_TRUE(waitShown("sortButton"));
    click(item("sortButton"));
    ASSERT_TRUE(waitShown("sortOrder_path"));
    click(item("sortOrder_path"));
    EXPECT_EQ(m_viewModel->sortOrderText(), "path");
    QStringList order;
    for (const Project& p : m_viewModel->filteredProjects()) order.append(p.name);
    EXPECT_EQ(order, (QStringList{"shop", "tool", "Bird"})) << "apps/shop, apps/tool, kit/Bird";
}

TEST_F(TruthTest, ARefreshReachesTheTreeInPlace)
{
    setMode(ViewMode::Tree);
    ASSERT_TRUE(QTest::qWaitFor([&] { return treeLine("shop") != nullptr; }, kWindowWait));
    EXPECT_TRUE(findItem(treeLine("shop"), "changeDot"));
    QSignalSpy rebuilt(m_viewModel.get(), &ProjectsViewModel::treeDataChanged);
    const QByteArray shop = m_tree.path() + "/apps/shop";
    // Twice, so the second refresh works from the record the first put in place.
    for (const bool changed : {false, true}) {
        if (changed) {
            m_tree.write("apps/shop/index.js", "changed again\n");
        } else {
            testfolders::git(shop, {"add", "-A"});
            testfolders::git(shop, {"commit", "-qm", "tidy"});
        }
        QSignalSpy finished(m_viewModel.get(), &ProjectsViewModel::refreshFinished);
        m_viewModel->refreshProject(idOf("shop"));
        ASSERT_TRUE(finished.wait(kWindowWait));
        EXPECT_TRUE(QTest::qWaitFor([&] { return (findItem(treeLine("shop"), "changeDot") != nullptr) == changed; },
                                    kWindowWait))
            << "refresh " << changed;
    }
    EXPECT_EQ(rebuilt.count(), 0) << "the outline is patched, not rebuilt";
}

TEST_F(TruthTest, NoViewSaysAnythingOnStandardError)
{
    const uitest::MessageRecorder recorder;
    for (const int mode : {int(ViewMode::List), int(ViewMode::Tree), int(ViewMode::Graph), int(ViewMode::Cards)}) {
        setMode(mode);
        QTest::qWait(300);
        m_viewModel->setSearchText("sh");
        m_viewModel->selectProject(idOf("shop"));
        QTest::qWait(200);
        m_viewModel->refreshProject(idOf("shop"));
        m_viewModel->setSearchText("");
        QTest::qWait(300);
    }
    EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join("\n").toStdString();
}

} // namespace
