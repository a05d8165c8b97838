// Start of the real window from stored results: from the process start (the folder and cache
// setup excluded) to the first frame that shows the projects, with COUNT stored repositories,
// and the same start without stored results (the loading screen until the scan ends).
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/ui/bench_stored_start [COUNT]
#include "ProcessClock.h"
#include "QmlSetup.h"

#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"
#include "state/ResultsCache.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// `count` project folders, and the results a scan of them would store: repositories with a
// branch, a remote, an upstream and a last commit each.
resultsformat::StoredResults makeProjects(const QByteArray& root, int count)
{
    resultsformat::StoredResults results{root, QDateTime::currentDateTime().addSecs(-300), {}};
    for (int i = 0; i < count; ++i) {
        const QByteArray dir = root + QStringLiteral("/group-%1/project-%2").arg(i / 50, 2, 10, QLatin1Char('0')).arg(i, 4, 10, QLatin1Char('0')).toUtf8();
        QDir().mkpath(QString::fromUtf8(dir));
        QFile f(QString::fromUtf8(dir + "/package.json"));
        if (f.open(QIODevice::WriteOnly))
            f.write(QStringLiteral(R"({"name":"project-%1","version":"1.%2.0"})").arg(i).arg(i % 17).toUtf8());
        Project p;
        p.id = QUuid::createUuid();
        p.name = QStringLiteral("project-%1").arg(i);
        p.path = dir;
        p.type = ProjectType::nodeJS;
        p.version = QStringLiteral("1.%1.0").arg(i % 17);
        p.lastModified = QDateTime::currentDateTime().addDays(-(i % 90));
        p.gitBranch = QStringLiteral("main");
        p.remotes = {{QUuid::createUuid(), QStringLiteral("origin"), QStringLiteral("git@example.com:team/project-%1.git").arg(i)}};
        p.hasGit = true;
        p.hasUncommittedChanges = i % 7 == 0;
        GitState git;
        git.commit = QStringLiteral("%1").arg(i, 40, 16, QLatin1Char('0'));
        git.upstream = QStringLiteral("origin/main");
        git.ahead = i % 3;
        git.behind = i % 5;
        git.unstaged = i % 7 == 0 ? 2 : 0;
        git.lastCommit = GitCommitSummary{git.commit->left(7), QStringLiteral("Ann Example"), QStringLiteral("Change %1").arg(i)};
        p.git = git;
        results.projects.append(p);
    }
    return results;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    const bool withCache = !(argc > 2 && QByteArray(argv[2]) == "--no-cache");
    QTemporaryDir work;
    const QByteArray root = QFile::encodeName(work.filePath(QStringLiteral("projects")));
    auto cache = std::make_shared<ResultsCache>(work.filePath(QStringLiteral("cache")));
    if (withCache)
        cache->write(makeProjects(root, count));
    else
        makeProjects(root, count);
    auto settings = std::make_shared<QSettings>(work.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    {
        ProjectsViewModel seed(ProjectScanner::shared(), settings, PlatformServices{});
        seed.setScanPath(root);
    }
    const qint64 cacheBytes = QFileInfo(cache->fileName(root)).size();
    const double setupMs = msSinceProcessStart();

    QGuiApplication app(argc, argv);
    uisetup::prepareApplication();
    QQmlEngine engine;
    uisetup::prepareEngine(engine);
    const double appMs = msSinceProcessStart();
    ProjectsViewModel viewModel(ProjectScanner::shared(), settings, PlatformServices{});
    viewModel.useResultsCache(cache);
    const double storedMs = msSinceProcessStart();
    std::unique_ptr<QQuickWindow> window(uisetup::createMainWindow(engine, &viewModel, true));
    if (!window)
        return 1;
    const double windowMs = msSinceProcessStart();
    double shownMs = 0;
    bool wasLoading = viewModel.isLoading();
    QObject::connect(window.get(), &QQuickWindow::frameSwapped, window.get(), [&] {
        wasLoading = wasLoading || viewModel.isLoading();
        if (shownMs == 0 && viewModel.projectCount() > 0 && !viewModel.isLoading())
            shownMs = msSinceProcessStart();
    });
    window->resize(1280, 820);
    window->show();
    (void)QTest::qWaitFor([&] { return shownMs > 0; }, 10 * 60 * 1000);
    (void)QTest::qWaitFor([&] { return !viewModel.refreshing() && !viewModel.isLoading(); }, 10 * 60 * 1000);
    const double refreshedMs = msSinceProcessStart();

    std::printf("stored repositories           %d (%s; cache file %lld bytes)\n", count,
                withCache ? "start from stored results" : "no stored results", (long long)cacheBytes);
    std::printf("start -> first frame with projects  %.0f ms   (setup excluded; goal < 300 ms at 200, < 600 ms at 2,000)\n",
                shownMs - setupMs);
    std::printf("  of which: application %.0f ms, stored results read and shown %.0f ms, window created %.0f ms,"
                " first frame %.0f ms\n",
                appMs - setupMs, storedMs - appMs, windowMs - storedMs, shownMs - windowMs);
    std::printf("loading screen shown          %s\n", wasLoading ? "yes" : "no");
    std::printf("start -> scan done            %.0f ms\n", refreshedMs - setupMs);
    window.reset();
    return 0;
}
