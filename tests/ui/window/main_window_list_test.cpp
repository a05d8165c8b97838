// The List mode in the real window: the selection is in view when the mode opens and after
// the arrow keys move it; a refreshed project's row shows the new record; a project refreshed
// in List can still be selected from the Tree, whose data is the last full scan's.
#include "WindowFixture.h"

#include <QRectF>

namespace {

using uitest::WindowFixture;
using uitest::kWindowWait;

class ListMode : public WindowFixture {
protected:
    // The list row of the project named `name`, when it exists as an item.
    QQuickItem* rowNamed(const QString& name)
    {
        for (QQuickItem* row : uitest::findItems(m_window.get(), "projectRow"))
            if (uitest::showsText(row, name))
                return row;
        return nullptr;
    }
    bool rowInView(const QString& name)
    {
        QQuickItem* row = rowNamed(name);
        QQuickItem* list = item("projectList");
        if (!row || !list)
            return false;
        const QRectF r = row->mapRectToItem(list, QRectF(0, 0, row->width(), row->height()));
        return r.top() >= -0.5 && r.bottom() <= list->height() + 0.5;
    }
};

TEST_F(ListMode, TheSelectionIsInViewWhenTheModeOpensAndAfterArrowKeys)
{
    for (int i = 0; i < 40; ++i)
        m_tree.write(QStringLiteral("p%1/package.json").arg(i, 2, 10, QLatin1Char('0')).toUtf8(), "{}");
    makeViewModel();
    QQuickWindow* window = openWindow(QSize(1000, 700));
    ASSERT_TRUE(window);
    ASSERT_TRUE(scan(m_tree.path()));
    m_viewModel->selectProject(idOf("p35"));
    window->setProperty("viewMode", int(ViewMode::List));
    ASSERT_TRUE(waitShown("projectList"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowInView("p35"); }, kWindowWait)) << "scrolled to the selection";

    item("projectList")->forceActiveFocus();
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(window, Qt::Key_Up);
    EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("p05"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowInView("p05"); }, kWindowWait)) << "follows the arrow keys";
}

TEST_F(ListMode, ARefreshedRowShowsTheNewRecordAndTheTreeStillSelectsIt)
{
    const QByteArray repo = m_tree.mkdir("repo");
    m_tree.write("repo/package.json", R"({"name":"repo"})");
    testfolders::initRepository(repo);
    m_tree.write("other/package.json", R"({"name":"other"})");
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(scan(m_tree.path()));
    m_viewModel->selectProject(idOf("repo"));
    window->setProperty("viewMode", int(ViewMode::List));
    ASSERT_TRUE(waitShown("projectDetail"));
    ASSERT_TRUE(rowNamed("repo"));
    EXPECT_FALSE(uitest::findItem(rowNamed("repo"), "changesDot"));

    m_tree.write("repo/dirty.txt", "work in progress");
    QSignalSpy refreshed(m_viewModel.get(), &ProjectsViewModel::refreshFinished);
    uitest::click(item("refreshProjectButton"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshed.count() == 1; }, kWindowWait));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowNamed("repo") && uitest::findItem(rowNamed("repo"), "changesDot"); },
                                kWindowWait))
        << "the row follows the refreshed record";

    // Select the other project, then pick the refreshed one from the Tree.
    m_viewModel->selectProject(idOf("other"));
    window->setProperty("viewMode", int(ViewMode::Tree));
    ASSERT_TRUE(waitShown("treeScreen"));
    QQuickItem* node = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QQuickItem* n : uitest::findItems(window, "projectNode"))
            if (uitest::showsText(n, "repo"))
                node = n;
        return node != nullptr;
    }, kWindowWait));
    uitest::click(node);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_viewModel->selectedProjectId() == idOf("repo"); }, kWindowWait));
    EXPECT_TRUE(m_viewModel->selectedProjectRecord()->hasUncommittedChanges) << "the refreshed record, not the old";
}

} // namespace
