// The real main window, driven with the mouse and the keyboard: which screen shows when, the
// header's controls, the List mode's detail pane and its actions, the Graph mode's zoom panel,
// the loading screen's dots and the keyboard shortcuts.
#include "FolderChooser.h"
#include "QmlSetup.h"
#include "UiTestSupport.h"
#include "WindowLogic.h"

#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using uitest::click;
using uitest::findItem;
using uitest::findItems;

namespace {

constexpr int kWait = 60000;

struct FakeFileManager : FileManager {
    QList<QUrl> opened;
    void openFolder(const QUrl& folder) override { opened.append(folder); }
};
struct FakeClipboard : Clipboard {
    QStringList texts;
    int clears = 0;
    void clear() override { ++clears; }
    void setPlainText(const QString& text) override { texts.append(text); }
};
struct FakeTerminal : TerminalLauncher {
    QList<QByteArray> folders;
    bool starts = true;
    bool openTerminal(const QByteArray& folder) override
    {
        folders.append(folder);
        return starts;
    }
    QStringList triedPrograms() const override { return {"fake-term", "x-terminal-emulator"}; }
};

const QString originUrl = QStringLiteral("https://example.com/team/shop.git");
const QString upstreamUrl = QStringLiteral("git@example.org:upstream/a-rather-long-path/to-the/shop-upstream.git");

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_settingsDir.isValid());
        m_engine = std::make_unique<QQmlEngine>();
        uisetup::prepareEngine(*m_engine);
    }

    void TearDown() override
    {
        m_window.reset();
        m_viewModel.reset();
        m_engine.reset();
    }

    // Three projects: "Bird" (Swift, no git), "shop" (Node.js in git with two remotes, a
    // branch and uncommitted changes) and "tool" (Python, no git).
    void makeProjects()
    {
        m_tree.write("kit/Bird/Package.swift", "// swift-tools-version:5.9\n");
        const QByteArray shop = m_tree.write("apps/shop/package.json", R"({"name":"shop","version":"1.0.0"})");
        m_tree.write("apps/tool/pyproject.toml", "[project]\nname = \"tool\"\nversion = \"0.3.0\"\n");
        const QByteArray shopDir = m_tree.path() + "/apps/shop";
        testfolders::initRepository(shopDir);
        testfolders::git(shopDir, {"remote", "add", "origin", originUrl});
        testfolders::git(shopDir, {"remote", "add", "upstream", upstreamUrl});
        m_tree.write("apps/shop/index.js", "changed\n");
        (void)shop;
    }

    ProjectsViewModel& makeViewModel()
    {
        auto settings = std::make_shared<QSettings>(m_settingsDir.filePath("settings.ini"), QSettings::IniFormat);
        PlatformServices services{m_files, m_clipboard, m_terminal};
        m_viewModel = std::make_unique<ProjectsViewModel>(ProjectScanner::shared(), settings, services);
        return *m_viewModel;
    }

    QQuickWindow* openWindow(bool scanOnStart = true)
    {
        m_window.reset(uisetup::createMainWindow(*m_engine, m_viewModel.get(), scanOnStart));
        EXPECT_NE(m_window, nullptr);
        if (!m_window)
            return nullptr;
        logic()->setHomePath(QString::fromUtf8(m_tree.path()));
        m_window->show();
        m_window->requestActivate();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return m_window.get();
    }

    WindowLogic* logic()
    {
        const int id = qmlTypeId("Codeorchardist", 1, 0, "WindowLogic");
        return m_engine->singletonInstance<WindowLogic*>(id);
    }

    void scan(const QByteArray& folder)
    {
        m_viewModel->chooseFolder(QUrl::fromLocalFile(QString::fromUtf8(folder)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWait));
    }

    QQuickItem* item(const char* name) { return findItem(m_window.get(), QString::fromLatin1(name)); }
    bool shown(const char* name) { return item(name) != nullptr; }
    bool waitShown(const char* name) { return QTest::qWaitFor([&] { return shown(name); }, kWait); }
    QString text(const char* name)
    {
        QQuickItem* i = item(name);
        return i ? i->property("text").toString() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }
    QString idOf(const QString& name)
    {
        for (const Project& p : m_viewModel->projects())
            if (p.name == name)
                return p.id.toString(QUuid::WithoutBraces);
        return {};
    }
    QString rootText() const { return QString::fromUtf8(m_tree.path()); }

    testfolders::TempTree m_tree;
    QTemporaryDir m_settingsDir;
    std::shared_ptr<FakeFileManager> m_files = std::make_shared<FakeFileManager>();
    std::shared_ptr<FakeClipboard> m_clipboard = std::make_shared<FakeClipboard>();
    std::shared_ptr<FakeTerminal> m_terminal = std::make_shared<FakeTerminal>();
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<ProjectsViewModel> m_viewModel;
    std::unique_ptr<QQuickWindow> m_window;
};

TEST_F(MainWindowTest, WithoutAFolderTheWelcomeScreenAndABareHeaderShow)
{
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->minimumSize(), QSize(1000, 700));
    EXPECT_EQ(window->title(), "Codeorchardist");
    ASSERT_TRUE(shown("welcomeView"));
    EXPECT_EQ(findItems(window, "kindTile").size(), 6) << "six kinds, Unknown left out";
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->isOpen(); }, kWait));
    QFileDialog* dialog = chooser->dialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Select your projects root directory");
    EXPECT_EQ(dialog->labelText(QFileDialog::Accept), "Select Folder");
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    dialog->reject();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !chooser->isOpen(); }, kWait));
    click(item("folderButton"));
    EXPECT_EQ(dialogRequests.count(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->dialog() != nullptr; }, kWait));
    chooser->dialog()->reject();
    EXPECT_TRUE(QTest::qWaitFor([&] { return chooser->dialog() == nullptr; }, kWait));
    EXPECT_FALSE(m_viewModel->hasScanPath()) << "a cancelled chooser changes nothing";

    // Switching the mode without a folder still shows the welcome screen.
    window->setProperty("viewMode", 0);
    EXPECT_TRUE(shown("welcomeView"));
}

TEST_F(MainWindowTest, AScanShowsTheLoadingScreenThenTheChosenModeComesBack)
{
    makeProjects();
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

    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWait));
    EXPECT_TRUE(waitShown("cardsScreen")) << "every launch starts in Cards mode";
    EXPECT_TRUE(QTest::qWaitFor([&] { return dotsTimer.isNull(); }, kWait))
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWait));
    EXPECT_TRUE(waitShown("listScreen"));
}

TEST_F(MainWindowTest, TheLoadingDotsCycleEveryHalfSecond)
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

TEST_F(MainWindowTest, TheStoredFolderIsScannedWhenTheWindowAppears)
{
    makeProjects();
    makeViewModel();
    scan(m_tree.path());
    m_viewModel.reset();

    ProjectsViewModel& restored = makeViewModel();
    ASSERT_TRUE(restored.hasScanPath());
    EXPECT_FALSE(restored.isLoading()) << "constructing the view model starts nothing";
    ASSERT_TRUE(openWindow());
    EXPECT_TRUE(restored.isLoading());
    EXPECT_TRUE(shown("loadingView"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !restored.isLoading(); }, kWait));
    EXPECT_TRUE(waitShown("cardsScreen"));
    EXPECT_EQ(restored.projectCount(), 3);
}

TEST_F(MainWindowTest, EmptyStatesAndClearFilters)
{
    makeViewModel();
    ASSERT_TRUE(openWindow());
    QTemporaryDir empty;
    scan(QFile::encodeName(empty.path()));
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

    makeProjects();
    scan(m_tree.path());
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

TEST_F(MainWindowTest, TheKindFilterListsThePresentKindsWithCounts)
{
    makeProjects();
    makeViewModel();
    ASSERT_TRUE(openWindow());
    scan(m_tree.path());
    QQuickItem* filter = item("kindFilter");
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->width(), 150);
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

TEST_F(MainWindowTest, TheDetailPaneShowsEverySectionAndReportsEveryAction)
{
    makeProjects();
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    scan(m_tree.path());
    window->setProperty("viewMode", 0);
    ASSERT_TRUE(waitShown("listScreen"));

    // The rows of the list, in the order of the filtered projects; clicking one selects it.
    QList<QQuickItem*> rows;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (rows = findItems(window, "projectRow")).size() == 3; }, kWait));
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
    EXPECT_EQ(cardValue("gitStatusCard"), "Uncommitted");
    EXPECT_EQ(item("gitStatusCard")->property("tone").toString(), "orange");
    ASSERT_TRUE(shown("gitSection"));
    EXPECT_TRUE(shown("branchRow"));
    const auto remoteRows = findItems(window, "remoteRow");
    ASSERT_EQ(remoteRows.size(), 2);
    EXPECT_TRUE(uitest::showsText(remoteRows[0], "origin"));
    EXPECT_TRUE(uitest::showsText(remoteRows[1], "upstream"));

    // The copy button of the second remote passes the second remote.
    click(findItem(remoteRows[1], "copyRemoteButton"));
    EXPECT_EQ(m_clipboard->texts, QStringList({upstreamUrl}));
    click(findItem(remoteRows[0], "copyRemoteButton"));
    EXPECT_EQ(m_clipboard->texts.last(), originUrl);
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("noticeText").contains("fake-term"); }, kWait));
    EXPECT_TRUE(text("noticeText").contains("$TERMINAL"));

    scrollDetail(false);
    QSignalSpy refreshed(m_viewModel.get(), &ProjectsViewModel::refreshFinished);
    const QString before = m_viewModel->selectedProjectId();
    click(item("refreshProjectButton"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshed.count() == 1; }, kWait));
    EXPECT_NE(m_viewModel->selectedProjectId(), before) << "the refreshed record replaces the old one";
    EXPECT_TRUE(waitShown("projectDetail"));
    EXPECT_EQ(text("detailName"), "shop");

    // A Swift project without git: no version card, "No Git" with a green check, no git section.
    m_viewModel->selectProject(idOf("Bird"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("detailName") == "Bird"; }, kWait));
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

TEST_F(MainWindowTest, TheZoomPanelZoomsInStepsAndResets)
{
    makeProjects();
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    scan(m_tree.path());
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

    zoom->setProperty("graphOffset", QSizeF(-3000, 1800));
    click(item("zoomResetButton"));
    EXPECT_DOUBLE_EQ(scale(), 0.5);
    // Centred as at first show: the canvas centre on the viewport centre.
    const QSizeF viewport = zoom->property("viewportSize").toSizeF();
    const QSizeF canvas = zoom->property("canvasSize").toSizeF();
    EXPECT_GT(viewport.width(), 0);
    EXPECT_EQ(zoom->property("graphOffset").toSizeF(),
              QSizeF((viewport.width() - canvas.width()) / 2, (viewport.height() - canvas.height()) / 2));
    EXPECT_EQ(percent(), "50%");

    // The zoom survives other screens.
    zoom->setProperty("graphScale", 1.3);
    click(item("viewModeSegmentCards"));
    ASSERT_TRUE(waitShown("cardsScreen"));
    click(item("viewModeSegmentGraph"));
    ASSERT_TRUE(waitShown("zoomPanel"));
    EXPECT_EQ(percent(), "130%");
}

TEST_F(MainWindowTest, KeyboardShortcuts)
{
    makeProjects();
    makeViewModel();
    QQuickWindow* window = openWindow();
    ASSERT_TRUE(window);
    scan(m_tree.path());

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return search->hasActiveFocus(); }, kWait));
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
    ASSERT_TRUE(chooser && QTest::qWaitFor([&] { return chooser->dialog() != nullptr; }, kWait));
    chooser->dialog()->reject();
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->dialog() == nullptr; }, kWait));
    window->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    // Ctrl+R ("Refresh All") rescans everything; while that scan runs, it does nothing.
    QSignalSpy loading(m_viewModel.get(), &ProjectsViewModel::isLoadingChanged);
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(m_viewModel->isLoading());
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_viewModel->isLoading(); }, kWait));
    EXPECT_EQ(loading.count(), 2) << "one scan: on, then off";

    // Ctrl+Q quits.
    QSignalSpy quit(m_engine.get(), &QQmlEngine::quit);
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quit.count(), 1);
}

TEST_F(MainWindowTest, TheMenuHoldsRefreshAllWithItsShortcut)
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
