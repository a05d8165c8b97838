// Start-up, scan, memory, mode switch and list scrolling of the real window, with a stored
// root folder of generated projects (plain folders with a package.json, no git).
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/ui/bench_window [PROJECTS]
#include "ProcessClock.h"
#include "QmlSetup.h"

#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"

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
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

void makeProjects(const QString& root, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString dir = QStringLiteral("%1/group-%2/project-%3").arg(root).arg(i / 50, 2, 10, QLatin1Char('0')).arg(i, 4, 10, QLatin1Char('0'));
        QDir().mkpath(dir);
        QFile f(dir + QStringLiteral("/package.json"));
        if (f.open(QIODevice::WriteOnly))
            f.write(QStringLiteral(R"({"name":"project-%1","version":"1.%2.0"})").arg(i).arg(i % 17).toUtf8());
    }
}

// Waits for the next frame and returns how long it took, in ms.
double nextFrame(QQuickWindow* window)
{
    QElapsedTimer t;
    t.start();
    bool swapped = false;
    auto c = QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] { swapped = true; });
    window->requestUpdate();
    (void)QTest::qWaitFor([&] { return swapped; }, 5000);
    QObject::disconnect(c);
    return double(t.nsecsElapsed()) / 1e6;
}

QQuickItem* findNamed(QQuickItem* item, const QString& name)
{
    if (!item)
        return nullptr;
    if (item->objectName() == name && item->isVisible())
        return item;
    for (QQuickItem* child : item->childItems())
        if (QQuickItem* found = findNamed(child, name))
            return found;
    return nullptr;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
    QTemporaryDir work;
    const QString root = work.filePath(QStringLiteral("projects"));
    makeProjects(root, count);
    // The stored root folder, as an earlier session would have left it.
    auto settings = std::make_shared<QSettings>(work.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    {
        ProjectsViewModel seed(ProjectScanner::shared(), settings, PlatformServices{});
        seed.setScanPath(QFile::encodeName(root));
    }
    const double setupMs = msSinceProcessStart();

    QGuiApplication app(argc, argv);
    uisetup::prepareApplication();
    const double appMs = msSinceProcessStart();
    const double appRss = residentMiB();
    QQmlEngine engine;
    uisetup::prepareEngine(engine);
    ProjectsViewModel viewModel(ProjectScanner::shared(), settings, PlatformServices{});
    std::unique_ptr<QQuickWindow> window(uisetup::createMainWindow(engine, &viewModel, true));
    if (!window)
        return 1;
    const double windowMs = msSinceProcessStart();
    bool firstFrame = false;
    double firstFrameMs = 0;
    QObject::connect(window.get(), &QQuickWindow::frameSwapped, window.get(), [&] {
        if (!firstFrame) {
            firstFrame = true;
            firstFrameMs = msSinceProcessStart();
        }
    });
    window->resize(1280, 820);
    window->show();
    (void)QTest::qWaitFor([&] { return firstFrame; }, 60000);
    const double firstFrameRss = residentMiB();
    (void)QTest::qWaitFor([&] { return !viewModel.isLoading(); }, 10 * 60 * 1000);
    const double scanDoneMs = msSinceProcessStart();
    nextFrame(window.get());
    const double rss = residentMiB();

    // List <-> Cards, each switch timed to the frame that shows it.
    std::vector<double> switches;
    for (int i = 0; i < 10; ++i) {
        for (int mode : {0, 3}) {
            QElapsedTimer t;
            t.start();
            window->setProperty("viewMode", mode);
            nextFrame(window.get());
            switches.push_back(double(t.nsecsElapsed()) / 1e6);
        }
    }

    // Frames with nothing changed: what rendering the window costs on its own.
    window->setProperty("viewMode", 0);
    nextFrame(window.get());
    std::vector<double> idle;
    for (int i = 0; i < 30; ++i)
        idle.push_back(nextFrame(window.get()));

    // Scroll the list from top to bottom, one step per frame.
    window->setProperty("viewMode", 0);
    nextFrame(window.get());
    QQuickItem* list = findNamed(window->contentItem(), QStringLiteral("projectList"));
    std::vector<double> frames;
    if (list) {
        const double step = 120;
        const double end = list->property("contentHeight").toDouble() - list->height();
        for (double y = 0; y <= end + step; y += step) {
            list->setProperty("contentY", std::min(y, std::max(0.0, end)));
            frames.push_back(nextFrame(window.get()));
            if (frames.size() > 20000)
                break;
        }
    }

    std::printf("projects                      %d (found %d)\n", count, viewModel.projectCount());
    std::printf("folder setup (before Qt)      %.0f ms\n", setupMs);
    std::printf("process start -> first frame  %.0f ms   (includes setup)\n", firstFrameMs);
    std::printf("first frame, excluding setup  %.0f ms   (goal < 500 ms)\n", firstFrameMs - setupMs);
    std::printf("  of which: application %.0f ms, window created %.0f ms, first frame %.0f ms\n",
                appMs - setupMs, windowMs - appMs, firstFrameMs - windowMs);
    std::printf("process start -> scan done    %.0f ms\n", scanDoneMs);
    std::printf("resident memory after scan    %.1f MiB  (goal < 150 MB; %.1f MiB before any window, %.1f MiB at the first frame)\n",
                rss, appRss, firstFrameRss);
    std::printf("List <-> Cards switch         median %.1f ms, worst %.1f ms (%zu switches)\n",
                percentile(switches, 0.5), percentile(switches, 1.0), switches.size());
    std::printf("idle frame time (no change)   median %.1f ms, worst %.1f ms\n", percentile(idle, 0.5),
                percentile(idle, 1.0));
    std::printf("list scroll frame time        median %.1f ms, worst %.1f ms (%zu frames; goal: none > 50 ms)\n",
                percentile(frames, 0.5), percentile(frames, 1.0), frames.size());
    window.reset();
    return 0;
}
