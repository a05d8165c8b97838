// The real main window's controls: the kind filter's entries, the Graph mode's zoom panel, the
// keyboard shortcuts and the Projects menu.
#include "GraphZoom.h"
#include "WindowFixture.h"
#include "FolderChooser.h"

#include <QFileDialog>
#include <QKeySequence>
#include <QSignalSpy>

using uitest::click;
using uitest::findItem;
using uitest::findItems;
using uitest::kWindowWait;

namespace {

using WindowControls = uitest::WindowFixture;

TEST_F(WindowControls, TheKindFilterListsThePresentKindsWithCounts)
{
    makeThreeProjects();
    makeViewModel();
    ASSERT_TRUE(openWindow());
    ASSERT_TRUE(scan(m_tree.path()));
    QQuickItem* filter = item("kindFilter");
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->width(), 136);
    const QVariantList entries = filter->property("model").toList();
    QStringList texts;
    for (const QVariant& e : entries)
        texts << e.toMap().value("text").toString();
    EXPECT_EQ(texts, QStringList({"All Types", "Node.js (1)", "Python (1)", "Swift (1)"}));
    EXPECT_EQ(filter->property("displayText").toString(), "All Types");

    QMetaObject::invokeMethod(filter, "activated", Q_ARG(int, 2));
    EXPECT_EQ(m_viewModel->selectedTypeFilterText(), "Python");
    EXPECT_EQ(filter->property("displayText").toString(), "Python (1)");
    m_viewModel->setSelectedTypeFilterText("Swift");
    EXPECT_EQ(filter->property("currentIndex").toInt(), 3) << "the filter follows the view model";
    QMetaObject::invokeMethod(filter, "activated", Q_ARG(int, 0));
    EXPECT_EQ(m_viewModel->selectedTypeFilterText(), "") << "All Types removes the filter";
}

TEST_F(WindowControls, TheZoomPanelZoomsInStepsAndResets)
{
    makeThreeProjects();
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(scan(m_tree.path()));
    click(item("viewModeSegmentGraph"));
    ASSERT_TRUE(waitShown("zoomPanel"));
    QObject* zoom = window->property("zoom").value<QObject*>();
    ASSERT_TRUE(zoom);
    auto scale = [&] { return zoom->property("graphScale").toDouble(); };
    auto percent = [&] { return text("zoomPercent"); };

    zoom->setProperty("graphScale", 0.5);
    EXPECT_EQ(percent(), "50%");
    click(item("zoomInButton"));
    EXPECT_DOUBLE_EQ(scale(), 0.65);
    EXPECT_EQ(percent(), "65%");
    click(item("zoomInButton"));
    EXPECT_EQ(percent(), "84%");

    zoom->setProperty("graphScale", 2.5);
    click(item("zoomInButton"));
    EXPECT_DOUBLE_EQ(scale(), 3.0);
    EXPECT_EQ(percent(), "300%");

    zoom->setProperty("graphScale", 0.12);
    click(item("zoomOutButton"));
    EXPECT_DOUBLE_EQ(scale(), 0.1);
    click(item("zoomOutButton"));
    EXPECT_DOUBLE_EQ(scale(), 0.1);
    EXPECT_EQ(percent(), "10%");

    // Reset fits the whole drawing, as the Graph opens.
    auto* graphZoom = qobject_cast<GraphZoom*>(zoom);
    ASSERT_TRUE(graphZoom);
    const viewmath::Fit fit = graphZoom->fitted(graphZoom->drawingRect());
    zoom->setProperty("graphOffset", QSizeF(-3000, 1800));
    click(item("zoomResetButton"));
    EXPECT_DOUBLE_EQ(scale(), fit.scale);
    EXPECT_EQ(zoom->property("graphOffset").toSizeF(), fit.offset);
    EXPECT_EQ(percent(), GraphZoom::percentText(fit.scale));

    // Coming back from another screen fits again.
    zoom->setProperty("graphScale", 1.3);
    click(item("viewModeSegmentCards"));
    ASSERT_TRUE(waitShown("cardsScreen"));
    click(item("viewModeSegmentGraph"));
    ASSERT_TRUE(waitShown("zoomPanel"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return percent() == GraphZoom::percentText(fit.scale); }, kWindowWait));
}

TEST_F(WindowControls, KeyboardShortcuts)
{
    makeThreeProjects();
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(scan(m_tree.path()));

    // Ctrl+1 .. Ctrl+4 switch List, Tree, Graph, Cards.
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_2, "treeScreen"}, {Qt::Key_3, "graphScreen"}, {Qt::Key_4, "cardsScreen"}, {Qt::Key_1, "listScreen"}};
    for (const auto& [key, screen] : keys) {
        QTest::keyClick(window, key, Qt::ControlModifier);
        EXPECT_TRUE(waitShown(screen)) << screen;
    }

    // Arrow keys move the selection through the list.
    ASSERT_EQ(m_viewModel->selectedProjectId(), idOf("Bird"));
    QQuickItem* list = item("projectList");
    ASSERT_TRUE(list);
    list->forceActiveFocus();
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("shop"));
    QTest::keyClick(window, Qt::Key_Down);
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("tool")) << "stops at the last row";
    QTest::keyClick(window, Qt::Key_Up);
    EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("shop"));

    // Ctrl+F focuses the search field; Up and Down still move the list selection from there.
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QQuickItem* search = item("searchField");
    ASSERT_TRUE(QTest::qWaitFor([&] { return search->hasActiveFocus(); }, kWindowWait));
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("tool"));
    QTest::keyClick(window, Qt::Key_Up);
    EXPECT_EQ(m_viewModel->selectedProjectId(), idOf("shop"));
    EXPECT_TRUE(search->hasActiveFocus());
    for (char c : std::string("too"))
        QTest::keyClick(window, c);
    EXPECT_EQ(m_viewModel->searchText(), "too");
    EXPECT_EQ(m_viewModel->filteredCount(), 1);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(m_viewModel->searchText(), "");
    EXPECT_EQ(text("searchField"), "");

    // Ctrl+O asks for the folder chooser.
    QSignalSpy dialogRequests(m_viewModel.get(), &ProjectsViewModel::folderDialogRequested);
    QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogRequests.count(), 1);
    auto* chooser = window->findChild<FolderChooser*>("folderChooser");
    ASSERT_TRUE(chooser && QTest::qWaitFor([&] { return chooser->dialog() != nullptr; }, kWindowWait));
    chooser->dialog()->reject();
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->dialog() == nullptr; }, kWindowWait));
    window->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    // Ctrl+R ("Refresh All") rescans everything. (A scan of three projects may be over before
    // the key press returns, so its end is awaited rather than its running state.)
    QSignalSpy scans(m_viewModel.get(), &ProjectsViewModel::scanFinished);
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return scans.count() == 1 && !m_viewModel->isLoading(); }, kWindowWait));
    // While a scan runs, the command is disabled and Ctrl+R does nothing.
    m_viewModel->scanProjects();
    ASSERT_TRUE(m_viewModel->isLoading());
    EXPECT_FALSE(window->findChild<QObject*>("refreshAllAction")->property("enabled").toBool());
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWindowWait));
    EXPECT_EQ(scans.count(), 2) << "no scan after the one that ran";

    // Ctrl+Q quits.
    QSignalSpy quit(m_engine.get(), &QQmlEngine::quit);
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quit.count(), 1);
}

TEST_F(WindowControls, TheMenuHoldsRefreshAllWithItsShortcut)
{
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    QObject* action = window->findChild<QObject*>("refreshAllAction");
    ASSERT_TRUE(action);
    EXPECT_EQ(action->property("text").toString(), "Refresh All");
    EXPECT_EQ(QKeySequence(action->property("shortcut").toString()), QKeySequence("Ctrl+R"));
    EXPECT_TRUE(uitest::showsText(findItem(window, "menuBar"), "Projects"));
    // Nothing to refresh before a folder is chosen.
    EXPECT_FALSE(action->property("enabled").toBool());
    QObject* choose = window->findChild<QObject*>("chooseFolderAction");
    QObject* quit = window->findChild<QObject*>("quitAction");
    ASSERT_TRUE(choose && quit);
    EXPECT_EQ(choose->property("text").toString(), "Choose Folder...");
    EXPECT_EQ(QKeySequence(choose->property("shortcut").toString()), QKeySequence("Ctrl+O"));
    EXPECT_EQ(quit->property("text").toString(), "Quit");
    EXPECT_EQ(QKeySequence(quit->property("shortcut").toString()), QKeySequence("Ctrl+Q"));
}

} // namespace
