#include "state/ResultsCache.h"
#include "state/ScanProgressText.h"
#include "StateTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using statetest::ViewModelTest;

namespace {

class StoredResultsTest : public ViewModelTest {
protected:
    StoredResultsTest() : cache(std::make_shared<ResultsCache>(cacheDir.path())) {
        for (const char* name : {"alpha", "beta"}) {
            tree.write(QByteArray(name) + "/README", "x");
            testfolders::initRepository(tree.path() + "/" + name);
        }
    }
    // A view model as the window makes it: the root folder from the settings, then the cache.
    std::unique_ptr<ProjectsViewModel> start() {
        auto model = harness.makeViewModel();
        model->useResultsCache(cache);
        return model;
    }
    // Scans `tree` once and stores the results.
    void storeFirstScan() {
        auto first = start();
        choose(*first, tree.path());
        ASSERT_EQ(first->projectCount(), 2);
        cache->waitForWrites();
    }

    QTemporaryDir cacheDir;
    std::shared_ptr<ResultsCache> cache;
};

TEST_F(StoredResultsTest, StartShowsThemAtOnceAndTheScanReplacesThemInPlace) {
    storeFirstScan();
    testfolders::initRepository(tree.write("gamma/README", "x").chopped(7));

    auto model = start();
    EXPECT_FALSE(model->isLoading());
    ASSERT_EQ(model->projectCount(), 2);
    EXPECT_TRUE(model->showsScanPath());
    EXPECT_EQ(model->freshnessText().left(8), QStringLiteral("Updated "));
    ASSERT_TRUE(statetest::waitUntil([&] { return model->treeReady() && model->graphReady(); }));
    ASSERT_TRUE(model->selectProjectByPath(QString::fromUtf8(tree.path() + "/beta")));
    model->setSearchText(QStringLiteral("a"));

    QSignalSpy loading(model.get(), &ProjectsViewModel::isLoadingChanged);
    QSignalSpy finished(model.get(), &ProjectsViewModel::scanFinished);
    model->scanProjects();
    EXPECT_FALSE(model->isLoading());
    EXPECT_TRUE(model->freshnessText().endsWith(QStringLiteral(" \u00b7 refreshing")));
    ASSERT_TRUE(finished.wait(kWait));
    EXPECT_EQ(loading.count(), 0); // never the loading screen
    EXPECT_EQ(model->projectCount(), 3);
    EXPECT_EQ(model->selectedProjectRecord()->path, tree.path() + "/beta");
    EXPECT_EQ(model->searchText(), QStringLiteral("a"));
    EXPECT_EQ(model->freshnessText(), QString());
    // The scan's results are stored in turn.
    cache->waitForWrites();
    EXPECT_EQ(cache->read(tree.path())->projects, model->projects());
}

TEST_F(StoredResultsTest, StoppingTheRefreshKeepsThemWithTheNotice) {
    storeFirstScan();
    const QDateTime stored = cache->read(tree.path())->scanned;
    auto model = start();
    const QList<Project> shown = model->projects();
    model->scanProjects();
    model->stopScan();
    EXPECT_FALSE(model->isLoading());
    EXPECT_EQ(model->projects(), shown);
    EXPECT_EQ(model->scanNotice(), scanprogress::stoppedShowingMessage(stored, QDateTime::currentDateTime()));
    EXPECT_FALSE(model->freshnessText().contains(QStringLiteral("refreshing")));
}

TEST_F(StoredResultsTest, WithoutUsableOnesTheStartWaitsForTheScan) {
    storeFirstScan();
    const QString file = cache->fileName(tree.path());
    const std::function<void()> spoil[] = {
        [&] { QFile::remove(file); },
        [&] { QFile f(file); ASSERT_TRUE(f.open(QIODevice::ReadWrite)); f.resize(f.size() / 2); },
    };
    for (const auto& damage : spoil) {
        damage();
        auto model = start();
        EXPECT_EQ(model->projectCount(), 0);
        EXPECT_EQ(model->freshnessText(), QString());
        scan(*model); // loading screen, as without a cache; and the file is whole again
        cache->waitForWrites();
        ASSERT_TRUE(cache->read(tree.path()));
    }
}

TEST_F(StoredResultsTest, SearchKindAndSelectionComeBackAtTheNextStartAndDamagedOnesDoNot) {
    const QByteArray beta = tree.path() + "/beta";
    {
        auto first = start();
        choose(*first, tree.path());
        first->setSelectedTypeFilterText(QStringLiteral("Unknown"));
        first->setSearchText(QStringLiteral("et"));
        ASSERT_TRUE(first->selectProjectByPath(QString::fromUtf8(beta)));
    }
    cache->waitForWrites();
    // From the stored results at once, and from a scan alone.
    for (bool withCache : {true, false}) {
        auto model = withCache ? start() : harness.makeViewModel();
        if (!withCache) scan(*model);
        EXPECT_EQ(model->searchText(), QStringLiteral("et"));
        EXPECT_EQ(model->selectedTypeFilterText(), QStringLiteral("Unknown"));
        ASSERT_TRUE(model->selectedProjectRecord());
        EXPECT_EQ(model->selectedProjectRecord()->path, beta);
    }
    harness.settings->setValue(QStringLiteral("Codeorchardist.Window.Search"), QString(5000, QLatin1Char('x')));
    harness.settings->setValue(QStringLiteral("Codeorchardist.Window.KindFilter"), QStringLiteral("Cobol"));
    harness.settings->setValue(QStringLiteral("Codeorchardist.Window.Selection"), QByteArray("/nowhere/gone"));
    auto model = start();
    EXPECT_EQ(model->searchText(), QString());
    EXPECT_EQ(model->selectedTypeFilterText(), QString());
    EXPECT_EQ(model->selectedProjectRecord()->path, tree.path() + "/alpha");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
