// Tree, Graph and Cards modes with 200 and 2,000 generated projects (or the counts given) in a
// 1400 x 900 window: the time from creating the mode's view to its first frame on screen, the
// frame intervals while scrolling the Tree and the Cards and panning the Graph at 50 %, 100 %
// and fitted (the whole drawing in the window, as it opens), the slowest frame, and the resident memory after each mode next to that of a bare
// window with one Text measured first in the same run.
//
//   XDG_RUNTIME_DIR=$(mktemp -d) xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/ui/bench_visualizations [PROJECTS...]
//
// BENCH_ONLY=Tree|Network|Card limits the run to one mode; BENCH_SHOTS=DIR saves each first frame. For Qt's own per-frame figures add
// QT_LOGGING_RULES="qt.scenegraph.time.renderloop=true".
#include "GraphZoom.h"
#include "HeapTrim.h"
#include "MindmapCanvas.h"
#include "QmlSetup.h"

#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"

#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <utime.h>
#include <vector>

namespace {

// Projects spread over groups and teams, every tenth inside the folder of the one before,
// with versions, names of varied length and last changes from today to 45 days ago.
void makeProjects(const QString& root, int count) {
    const QDateTime now = QDateTime::currentDateTime();
    std::vector<std::pair<QByteArray, int>> stamps;
    for (int i = 0; i < count; ++i) {
        const int home = i % 10 == 9 ? i - 1 : i;
        QString dir = QStringLiteral("%1/group-%2/team-%3/project-%4").arg(root).arg(home % 12).arg((home / 12) % 9).arg(home);
        if (home != i) dir += QStringLiteral("/plugin");
        QDir().mkpath(dir);
        QFile manifest(dir + QStringLiteral("/package.json"));
        if (manifest.open(QIODevice::WriteOnly)) {
            QByteArray json = "{\"name\": \"project-" + QByteArray::number(i) + (i % 4 == 0 ? "-with-a-longer-name" : "") + "\"";
            if (i % 3 == 0) json += ", \"version\": \"1." + QByteArray::number(i % 20) + ".0\"";
            manifest.write(json + "}\n");
        }
        stamps.emplace_back(QFile::encodeName(dir), i % 46);
    }
    std::sort(stamps.begin(), stamps.end(), [](const auto& a, const auto& b) { return a.first.count('/') > b.first.count('/'); });
    for (const auto& [dir, days] : stamps) {
        struct utimbuf t;
        t.actime = t.modtime = static_cast<time_t>(now.addDays(-days).toSecsSinceEpoch());
        ::utime(dir.constData(), &t);
    }
}

// Resident memory of this process in MiB.
double residentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

struct Frames {
    double median = 0;
    double worst = 0;
};

Frames summarise(std::vector<double> times) {
    if (times.empty()) return {};
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

// Waits for the next frame the window puts on screen; returns false after 5 s without one.
bool nextFrame(QQuickWindow& window) {
    QSignalSpy swapped(&window, &QQuickWindow::frameSwapped);
    window.requestUpdate();
    return swapped.wait(5000);
}

class Bench {
public:
    Bench(int projects) : m_projects(projects) {
        uisetup::prepareEngine(m_engine);
        makeProjects(m_workspace.path(), projects);
        auto settings = std::make_shared<QSettings>(m_settings.path() + QStringLiteral("/s.ini"), QSettings::IniFormat);
        m_viewModel = new ProjectsViewModel(ProjectScanner::shared(), settings, PlatformServices{}, &m_engine);
        m_zoom = new GraphZoom(&m_engine);
        m_window.resize(1400, 900);
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window)) std::printf("window not exposed\n");
        // The pointer off the window: a node moving under a resting pointer would be hovered
        // and redrawn, which is not what panning by dragging does (the node under the pointer
        // moves with it).
        QCursor::setPos(m_window.screen(), m_window.geometry().bottomRight() + QPoint(100, 100));
        QSignalSpy done(m_viewModel, &ProjectsViewModel::scanFinished);
        m_viewModel->setScanPath(QFile::encodeName(m_workspace.path()));
        m_viewModel->scanProjects();
        done.wait(300000);
    }

    // A Graph `scale` of 0 fits the whole drawing into the window.
    void run(const QString& type, const char* motion, double scale = 0.5) {
        // BENCH_ONLY=Tree|Graph|Card limits the run to one mode.
        const QByteArray only = qgetenv("BENCH_ONLY");
        if (!only.isEmpty() && !type.startsWith(QString::fromLatin1(only))) return;
        // Creating the view and its first frame.
        QElapsedTimer timer;
        timer.start();
        QQmlComponent component(&m_engine);
        component.setData(("import QtQuick\nimport Codeorchardist\n" + type + " {}\n").toUtf8(), QUrl());
        QVariantMap properties{{QStringLiteral("viewModel"), QVariant::fromValue<QObject*>(m_viewModel)}};
        if (type == QStringLiteral("NetworkGraphView")) {
            properties.insert(QStringLiteral("zoom"), QVariant::fromValue<QObject*>(m_zoom));
            m_zoom->setGraphScale(scale);
        }
        std::unique_ptr<QQuickItem> view(qobject_cast<QQuickItem*>(component.createWithInitialProperties(properties)));
        if (!view) {
            std::printf("%s: %s\n", qPrintable(type), qPrintable(component.errorString()));
            return;
        }
        const double created = timer.nsecsElapsed() / 1e6;
        view->setParentItem(m_window.contentItem());
        view->setSize(m_window.size());
        if (type == QStringLiteral("NetworkGraphView") && scale <= 0) {
            m_zoom->fit();
            scale = m_zoom->graphScale();
        }
        const double laidOut = timer.nsecsElapsed() / 1e6;
        nextFrame(m_window);
        const double first = timer.nsecsElapsed() / 1e6;
        std::printf("        (created %.1f ms, sized %.1f ms)\n", created, laidOut);
        // BENCH_SHOTS=DIR keeps a picture of each view's first frame.
        const QString shots = QString::fromLocal8Bit(qgetenv("BENCH_SHOTS"));
        if (!shots.isEmpty())
            m_window.grabWindow().save(QStringLiteral("%1/%2-%3-%4.png").arg(shots, type).arg(m_projects).arg(int(scale * 100)));

        // What a view does in its first frames after the first (the Graph draws the tiles
        // around the screen ahead, one a frame) is over before a user starts to move it.
        // BENCH_SETTLE=0 starts moving at once.
        if (qgetenv("BENCH_SETTLE") != "0") {
            for (int i = 0; i < 60; ++i) nextFrame(m_window);
        }

        // Frames while moving: one step per frame, the time from the step to the frame.
        QObject* flick = nullptr;
        if (type != QStringLiteral("NetworkGraphView")) {
            for (QQuickItem* item : view->findChildren<QQuickItem*>())
                if (item->inherits("QQuickFlickable")) { flick = item; break; }
        }
        std::vector<double> frames;
        for (int step = 0; step < 240; ++step) {
            QElapsedTimer frame;
            frame.start();
            if (flick) {
                const double max = flick->property("contentHeight").toDouble() - view->height();
                const double y = std::fmod(step * 40.0, std::max(max, 1.0));
                flick->setProperty("contentY", y);
            } else {
                const QSizeF o = m_zoom->graphOffset();
                const int dir = (step / 60) % 2 == 0 ? 1 : -1;
                m_zoom->setGraphOffset(QSizeF(o.width() - dir * 25, o.height() - dir * 12));
            }
            if (!nextFrame(m_window)) break;
            frames.push_back(frame.nsecsElapsed() / 1e6);
        }
        const Frames f = summarise(frames);
        const bool graph = type == QStringLiteral("NetworkGraphView");
        std::printf("%6d projects  %-22s first frame %7.1f ms   %-5s %4.0f%% %3zu frames: median %5.1f ms, worst %6.1f ms",
                    m_projects, qPrintable(type), first, motion, graph ? scale * 100 : 100.0, frames.size(), f.median,
                    f.worst);
        if (auto* canvas = view->findChild<MindmapCanvas*>())
            std::printf("  (%d nodes drawn, %d vertices)", canvas->drawnNodes(), canvas->scene().vertexCount());
        std::printf("\n");
        view.reset();
        // The scene graph lets go of a closed view's textures over the next frames; the window
        // then hands the freed heap back a second after the change.
        for (int i = 0; i < 5; ++i) nextFrame(m_window);
        QTest::qWait(1200);
        heaptrim::trimNow();
        std::printf("        resident after %s: %.0f MiB\n", qPrintable(type), residentMiB());
        std::fflush(stdout);
    }

private:
    int m_projects;
    QTemporaryDir m_workspace;
    QTemporaryDir m_settings;
    QQmlEngine m_engine;
    QQuickWindow m_window;
    ProjectsViewModel* m_viewModel = nullptr;
    GraphZoom* m_zoom = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    uisetup::prepareApplication();
    QList<int> sizes;
    for (int i = 1; i < argc; ++i) sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty()) sizes = {200, 2000};
    std::printf("render loop: %s, platform: %s\n", qgetenv("QSG_RENDER_LOOP").isEmpty() ? "default" : qgetenv("QSG_RENDER_LOOP").constData(),
                qPrintable(QGuiApplication::platformName()));
    {
        // The baseline: a bare Qt Quick window with one Text, in this same process.
        QQmlEngine engine;
        QQuickWindow window;
        window.resize(1400, 900);
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nText { text: \"Codeorchardist\" }\n", QUrl());
        std::unique_ptr<QQuickItem> text(qobject_cast<QQuickItem*>(component.create()));
        if (text) text->setParentItem(window.contentItem());
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) std::printf("bare window not exposed\n");
        nextFrame(window);
        heaptrim::trimNow();
        std::printf("bare window with one Text: resident %.0f MiB\n", residentMiB());
    }
    for (int n : sizes) {
        Bench bench(n);
        std::printf("%6d projects scanned: resident %.0f MiB\n", n, residentMiB());
        bench.run(QStringLiteral("TreeVisualizationView"), "scroll");
        bench.run(QStringLiteral("NetworkGraphView"), "pan", 0.5);
        bench.run(QStringLiteral("NetworkGraphView"), "pan", 1.0);
        bench.run(QStringLiteral("NetworkGraphView"), "pan", 0);
        bench.run(QStringLiteral("CardDashboardView"), "scroll");
    }
    return 0;
}
