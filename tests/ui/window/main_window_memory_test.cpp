// The window comes back as it was left: size, position, mode, panes, selection, search and kind
// filter, from the same settings file; damaged values are passed over. With stored results it
// opens on them, never on the loading screen.
#include "WindowFixture.h"
#include "WindowMemory.h"

#include "state/ResultsCache.h"

#include <QScreen>

namespace {

using uitest::kWindowWait;

class MainWindowMemoryTest : public uitest::WindowFixture {
protected:
    // A window as the program opens it: no size asked for but what was kept.
    QQuickWindow* reopen()
    {
        // Calls the list posted for later run before their window goes.
        QCoreApplication::processEvents();
        m_window.reset();
        m_viewModel.reset();
        makeViewModel();
        m_window.reset(uisetup::createMainWindow(*m_engine, m_viewModel.get(), true));
        if (!m_window)
            return nullptr;
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        return m_window.get();
    }
    QObject* layout() { return m_window->property("layoutState").value<QObject*>(); }
};

TEST_F(MainWindowMemoryTest, EverythingKeptComesBackAndDamageIsPassedOver)
{
    makeThreeProjects();
    makeViewModel();
    ASSERT_TRUE(openWindow(QSize(1100, 760)));
    ASSERT_TRUE(scan(m_tree.path()));
    m_window->setFramePosition(QPoint(40, 30));
    m_window->setProperty("viewMode", int(ViewMode::List));
    m_viewModel->setSelectedTypeFilterText(QStringLiteral("Node.js"));
    m_viewModel->setSearchText(QStringLiteral("sho"));
    ASSERT_TRUE(m_viewModel->selectProjectByPath(rootText() + "/apps/shop"));
    layout()->setProperty("detailWidth", 512.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->size() == QSize(1100, 760); }, kWindowWait));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->framePosition() == QPoint(40, 30); }, kWindowWait));
    m_window->close();

    ASSERT_TRUE(reopen());
    EXPECT_EQ(m_window->size(), QSize(1100, 760));
    EXPECT_EQ(m_window->property("viewMode").toInt(), int(ViewMode::List));
    EXPECT_EQ(layout()->property("detailWidth").toDouble(), 512.0);
    EXPECT_EQ(m_viewModel->searchText(), QStringLiteral("sho"));
    EXPECT_EQ(m_viewModel->selectedTypeFilterText(), QStringLiteral("Node.js"));
    ASSERT_TRUE(waitShown("listScreen"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_viewModel->selectedProjectRecord().has_value(); }, kWindowWait));
    EXPECT_EQ(m_viewModel->selectedProjectRecord()->path, m_tree.path() + "/apps/shop");

    const QRect screen = m_window->screen()->availableGeometry();
    m_settings->setValue("Codeorchardist.Window.State",
                         QVariantMap{{"frame", QRect(-90000, 20, 99999, 99999)}, {"mode", "Spreadsheet"},
                                     {"detailWidth", "wide"}, {"folded", 7}});
    m_settings->setValue("Codeorchardist.Window.Selection", QByteArray("/not/there"));
    ASSERT_TRUE(reopen());
    EXPECT_LE(m_window->width(), screen.width());
    EXPECT_LE(m_window->height(), screen.height());
    EXPECT_EQ(m_window->property("viewMode").toInt(), int(ViewMode::Cards));
    EXPECT_EQ(layout()->property("detailWidth").toDouble(), 420.0);
    EXPECT_EQ(m_viewModel->searchText(), QStringLiteral("sho"));

    // Garbage where the state should be: the defaults.
    m_settings->setValue("Codeorchardist.Window.State", QStringLiteral("garbage"));
    ASSERT_TRUE(reopen());
    EXPECT_EQ(m_window->size(), QSize(1280, 820));
}

TEST_F(MainWindowMemoryTest, StoredResultsOpenAtOnceWithTheirAgeInTheHeader)
{
    makeThreeProjects();
    QTemporaryDir cacheDir;
    auto cache = std::make_shared<ResultsCache>(cacheDir.path());
    makeViewModel().useResultsCache(cache);
    ASSERT_TRUE(openWindow(QSize(1000, 700)));
    ASSERT_TRUE(scan(m_tree.path()));
    cache->waitForWrites();

    m_window.reset();
    m_viewModel.reset();
    makeViewModel().useResultsCache(cache);
    QSignalSpy loading(m_viewModel.get(), &ProjectsViewModel::isLoadingChanged);
    QSignalSpy finished(m_viewModel.get(), &ProjectsViewModel::scanFinished);
    ASSERT_TRUE(openWindow(QSize(1000, 700)));
    EXPECT_TRUE(shown("cardsScreen"));
    EXPECT_TRUE(m_viewModel->refreshing());
    EXPECT_TRUE(item("rescanButton")->isEnabled()) << "it stops the refresh";
    // Under the folder button, clear of the controls and inside the window.
    QQuickItem* freshness = item("freshnessText");
    ASSERT_NE(freshness, nullptr);
    EXPECT_TRUE(freshness->property("text").toString().startsWith("Updated "));
    QQuickItem* folder = item("folderButton");
    EXPECT_GE(freshness->mapToScene({0, 0}).y(), folder->mapToScene({0, folder->height()}).y());
    EXPECT_LE(freshness->mapToScene({freshness->width(), freshness->height()}).x(), 1000.0);
    EXPECT_LE(freshness->mapToScene({0, freshness->height()}).y(),
              item("headerBar")->mapToScene({0, item("headerBar")->height()}).y());
    ASSERT_TRUE(finished.count() > 0 || finished.wait(kWindowWait));
    EXPECT_EQ(loading.count(), 0);
    EXPECT_TRUE(shown("cardsScreen"));
    EXPECT_FALSE(shown("freshnessText"));
}

} // namespace
