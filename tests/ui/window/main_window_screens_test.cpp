// The real main window's screens: the welcome screen before a folder is chosen, the loading
// screen during a scan and its dots, the stored folder scanned when the window appears, and the
// two empty states with their buttons.
#include "WindowFixture.h"
#include "FolderChooser.h"
#include "model/ProjectType.h"

#include <QFileDialog>
#include <QPointer>
#include <QQmlComponent>
#include <QSignalSpy>

using uitest::click;
using uitest::findItem;
using uitest::findItems;
using uitest::kWindowWait;

namespace {

using WindowScreens = uitest::WindowFixture;

TEST_F(WindowScreens, WithoutAFolderTheWelcomeScreenAndABareHeaderShow)
{
    makeViewModel();
    QQuickWindow* window = openWindow(QSize(1000, 700));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->minimumSize(), QSize(1000, 700));
    EXPECT_EQ(window->title(), "Codeorchardist");
    ASSERT_TRUE(shown("welcomeView"));
    const QList<QQuickItem*> tiles = findItems(window, "kindTile");
    EXPECT_EQ(tiles.size(), qsizetype(projecttype::allCases.size() - 1)) << "every kind, Unknown left out";
    // At the smallest window every tile is on screen.
    for (QQuickItem* tile : tiles) {
        const QRectF box = tile->mapRectToScene(QRectF(0, 0, tile->width(), tile->height()));
        EXPECT_TRUE(QRectF(0, 0, window->width(), window->height()).contains(box)) << box.y() << " of " << window->height();
    }
    EXPECT_TRUE(uitest::showsText(item("welcomeView"), "Select Projects Folder"));
    EXPECT_FALSE(uitest::showsText(item("welcomeView"), "Unknown"));

    // Header: title and folder button only.
    EXPECT_EQ(text("folderText"), "No folder selected");
    EXPECT_FALSE(shown("searchBox"));
    EXPECT_FALSE(shown("kindFilter"));
    EXPECT_FALSE(shown("viewModeSwitch"));
    EXPECT_FALSE(shown("rescanButton"));
    EXPECT_FALSE(shown("projectsPill"));

    // The welcome button and the folder button both ask for the folder chooser.
    QSignalSpy dialogRequests(m_viewModel.get(), &ProjectsViewModel::folderDialogRequested);
    click(item("selectFolderButton"));
    EXPECT_EQ(dialogRequests.count(), 1);
    auto* chooser = window->findChild<FolderChooser*>("folderChooser");
    ASSERT_TRUE(chooser);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->isOpen(); }, kWindowWait));
    QFileDialog* dialog = chooser->dialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Select your projects root directory");
    EXPECT_EQ(dialog->labelText(QFileDialog::Accept), "Select Folder");
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    dialog->reject();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !chooser->isOpen(); }, kWindowWait));
    click(item("folderButton"));
    EXPECT_EQ(dialogRequests.count(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->dialog() != nullptr; }, kWindowWait));
    chooser->dialog()->reject();
    EXPECT_TRUE(QTest::qWaitFor([&] { return chooser->dialog() == nullptr; }, kWindowWait));
    EXPECT_FALSE(m_viewModel->hasScanPath()) << "a cancelled chooser changes nothing";

    // Switching the mode without a folder still shows the welcome screen.
    window->setProperty("viewMode", 0);
    EXPECT_TRUE(shown("welcomeView"));
}

TEST_F(WindowScreens, AScanShowsTheLoadingScreenThenTheChosenModeComesBack)
{
    makeThreeProjects();
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);

    m_viewModel->chooseFolder(QUrl::fromLocalFile(rootText()));
    // isLoading is set before chooseFolder returns: the loading screen is up at once.
    ASSERT_TRUE(shown("loadingView"));
    EXPECT_EQ(text("loadingMessage"), m_viewModel->loadingMessage());
    EXPECT_EQ(text("pleaseWait"), "Please wait");
    EXPECT_FALSE(item("rescanButton")->isEnabled()) << "Rescan is disabled during a scan";
    QPointer<QObject> dotsTimer = item("loadingView")->findChild<QObject*>("dotsTimer");
    ASSERT_TRUE(dotsTimer);
    EXPECT_TRUE(dotsTimer->property("running").toBool());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWindowWait));
    EXPECT_TRUE(waitShown("cardsScreen")) << "every launch starts in Cards mode";
    EXPECT_TRUE(QTest::qWaitFor([&] { return dotsTimer.isNull(); }, kWindowWait))
        << "the dots timer goes away with the loading screen";
    EXPECT_TRUE(item("rescanButton")->isEnabled());

    // Header after the scan: folder text with "~", counters of all projects.
    EXPECT_EQ(text("folderText"), "~");
    EXPECT_EQ(item("projectsPill")->property("value").toInt(), 3);
    EXPECT_EQ(item("modifiedPill")->property("value").toInt(), 1);
    EXPECT_TRUE(shown("searchBox"));
    EXPECT_TRUE(shown("kindFilter"));

    // Each segment of the switch shows its mode.
    const std::pair<const char*, const char*> modes[] = {{"viewModeSegmentList", "listScreen"},
                                                         {"viewModeSegmentTree", "treeScreen"},
                                                         {"viewModeSegmentGraph", "graphScreen"},
                                                         {"viewModeSegmentCards", "cardsScreen"},
                                                         {"viewModeSegmentList", "listScreen"}};
    for (const auto& [segment, screen] : modes) {
        click(item(segment));
        EXPECT_TRUE(waitShown(screen)) << screen;
    }
    EXPECT_TRUE(shown("zoomPanel") == false) << "the zoom panel belongs to the Graph mode only";

    // A rescan covers the List mode with the loading screen; the List mode comes back.
    click(item("rescanButton"));
    EXPECT_TRUE(m_viewModel->isLoading());
    EXPECT_TRUE(shown("loadingView"));
    EXPECT_FALSE(shown("listScreen"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWindowWait));
    EXPECT_TRUE(waitShown("listScreen"));
}

TEST_F(WindowScreens, TheLoadingDotsCycleEveryHalfSecond)
{
    // The loading screen on its own, so its timer can run for a few cycles.
    QQmlComponent component(m_engine.get());
    component.setData(R"(
        import QtQuick
        import Codeorchardist
        Window { width: 400; height: 300; visible: true
                 property alias view: view
                 LoadingView { id: view; anchors.fill: parent; message: "Scanning directories..." } }
    )", QUrl("qrc:/test/LoadingHost.qml"));
    std::unique_ptr<QObject> host(component.create());
    ASSERT_TRUE(host) << component.errorString().toStdString();
    auto* window = qobject_cast<QQuickWindow*>(host.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QQuickItem* line = findItem(window, "pleaseWait");
    ASSERT_TRUE(line);
    const QStringList cycle = {"Please wait", "Please wait.", "Please wait..", "Please wait...", "Please wait",
                               "Please wait."};
    EXPECT_EQ(line->property("text").toString(), cycle.first());
    for (int i = 1; i < cycle.size(); ++i)
        EXPECT_TRUE(QTest::qWaitFor([&] { return line->property("text").toString() == cycle[i]; }, 20000))
            << "step " << i << " shows " << line->property("text").toString().toStdString();
    // The message follows its input at once.
    QQuickItem* view = qvariant_cast<QQuickItem*>(host->property("view"));
    view->setProperty("message", "Building visualizations...");
    EXPECT_EQ(findItem(window, "loadingMessage")->property("text").toString(), "Building visualizations...");
}

TEST_F(WindowScreens, TheStoredFolderIsScannedWhenTheWindowAppears)
{
    makeThreeProjects();
    makeViewModel();
    ASSERT_TRUE(scan(m_tree.path()));
    m_viewModel.reset();

    ProjectsViewModel& restored = makeViewModel();
    ASSERT_TRUE(restored.hasScanPath());
    EXPECT_FALSE(restored.isLoading()) << "constructing the view model starts nothing";
    ASSERT_TRUE(openWindow());
    EXPECT_TRUE(restored.isLoading());
    EXPECT_TRUE(shown("loadingView"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !restored.isLoading(); }, kWindowWait));
    EXPECT_TRUE(waitShown("cardsScreen"));
    EXPECT_EQ(restored.projectCount(), 3);
}

TEST_F(WindowScreens, EmptyStatesAndClearFilters)
{
    makeViewModel();
    ASSERT_TRUE(openWindow());
    QTemporaryDir empty;
    ASSERT_TRUE(scan(QFile::encodeName(empty.path())));
    ASSERT_TRUE(waitShown("noProjectsView"));
    EXPECT_EQ(text("emptyTitle"), "No Projects Found");
    EXPECT_EQ(text("emptyMessage"),
              "No projects were detected in the selected folder.\nTry selecting a different folder.");
    EXPECT_EQ(item("emptyMessage")->property("lineCount").toInt(), 2);
    EXPECT_EQ(item("emptyMessage")->property("horizontalAlignment").toInt(), int(Qt::AlignHCenter));
    EXPECT_EQ(text("emptyButton"), "Change Folder");
    // With no projects the kind filter is hidden; the rest of the header stays.
    EXPECT_FALSE(shown("kindFilter"));
    EXPECT_TRUE(shown("searchBox"));
    EXPECT_TRUE(shown("viewModeSwitch"));
    EXPECT_TRUE(shown("rescanButton"));
    EXPECT_EQ(item("projectsPill")->property("value").toInt(), 0);
    QSignalSpy dialogRequests(m_viewModel.get(), &ProjectsViewModel::folderDialogRequested);
    click(item("emptyButton"));
    EXPECT_EQ(dialogRequests.count(), 1);
    QMetaObject::invokeMethod(m_window->findChild<QObject*>("folderDialog"), "reject");

    makeThreeProjects();
    ASSERT_TRUE(scan(m_tree.path()));
    ASSERT_TRUE(waitShown("cardsScreen"));
    m_viewModel->setSelectedTypeFilterText("Swift");
    m_viewModel->setSearchText("no such project anywhere");
    ASSERT_TRUE(waitShown("noResultsView"));
    EXPECT_EQ(text("emptyTitle"), "No Results");
    EXPECT_EQ(text("emptyMessage"), "No projects match your search or filter criteria.");
    EXPECT_EQ(text("emptyButton"), "Clear Filters");
    // The counters count all projects even when nothing passes the filters.
    EXPECT_EQ(item("projectsPill")->property("value").toInt(), 3);
    EXPECT_EQ(item("modifiedPill")->property("value").toInt(), 1);

    click(item("emptyButton"));
    EXPECT_EQ(m_viewModel->searchText(), "");
    EXPECT_EQ(m_viewModel->selectedTypeFilterText(), "");
    EXPECT_EQ(text("searchField"), "");
    EXPECT_TRUE(waitShown("cardsScreen"));
}

} // namespace
