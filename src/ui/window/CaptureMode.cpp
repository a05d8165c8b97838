#include "CaptureMode.h"

#include "Appearance.h"
#include "QmlSetup.h"
#include "ViewMode.h"

#include "discovery/ProjectScanner.h"
#include "state/FolderUrl.h"
#include "state/ProjectsViewModel.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QMouseEvent>
#include <QScreen>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

namespace {

// Runs the event loop until `done` holds or `timeoutMs` passed; returns whether it holds.
bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Lets the window render a few frames so that layouts, images and effects have settled.
void settle(QQuickWindow* window, int frames = 4)
{
    for (int i = 0; i < frames; ++i) {
        bool swapped = false;
        auto c = QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] { swapped = true; });
        window->requestUpdate();
        waitUntil([&] { return swapped; }, 1000);
        QObject::disconnect(c);
    }
}

class Capture {
public:
    Capture(QQmlEngine& engine, QString outputDir, QByteArray folder, QSize size)
        : m_engine(engine)
        , m_out(std::move(outputDir))
        , m_folder(std::move(folder))
        , m_size(size)
    {
    }

    int run()
    {
        if (!QDir().mkpath(m_out)) {
            err() << "codeorchardist: cannot create " << m_out << Qt::endl;
            return 1;
        }
        for (const QString& appearance : {QStringLiteral("light"), QStringLiteral("dark")}) {
            Appearance::instance()->setOverrideMode(appearance);
            if (!captureAll(appearance))
                return 1;
        }
        return 0;
    }

private:
    static QTextStream& err()
    {
        static QTextStream s(stderr);
        return s;
    }

    // `settled`: let a few frames pass first; the loading screen is taken at once, before the
    // scan can end.
    bool shoot(QQuickWindow* window, const QString& name, bool settled = true)
    {
        if (settled)
            settle(window);
        const QImage image = window->grabWindow();
        const QString file = QDir(m_out).filePath(name + QStringLiteral(".png"));
        if (image.isNull() || !image.save(file)) {
            err() << "codeorchardist: cannot write " << file << Qt::endl;
            return false;
        }
        QTextStream(stdout) << file << Qt::endl;
        return true;
    }

    bool captureAll(const QString& appearance)
    {
        QTemporaryDir settingsDir;
        QTemporaryDir emptyFolder;
        if (!settingsDir.isValid() || !emptyFolder.isValid())
            return false;
        auto settings = std::make_shared<QSettings>(settingsDir.filePath(QStringLiteral("capture.ini")),
                                                    QSettings::IniFormat);
        ProjectsViewModel viewModel(ProjectScanner::shared(), settings, PlatformServices{});
        std::unique_ptr<QQuickWindow> window(uisetup::createMainWindow(m_engine, &viewModel, false));
        if (!window)
            return false;
        window->resize(m_size);
        window->show();
        if (!waitUntil([&] { return window->isExposed() && window->size() == m_size; }, 10000))
            return false;
        // The pointer away from the window, so no card is photographed hovered and lifted.
        QCursor::setPos(window->screen(), window->geometry().bottomRight() + QPoint(200, 200));
        QMouseEvent leave(QEvent::MouseMove, QPointF(-100, -100), QPointF(-100, -100), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &leave);
        const QString suffix = QLatin1Char('-') + appearance;

        if (!shoot(window.get(), QStringLiteral("welcome") + suffix))
            return false;

        viewModel.chooseFolder(m_folder.isEmpty() ? QUrl::fromLocalFile(QDir::homePath()) : folderUrl(m_folder));
        if (viewModel.isLoading() && !shoot(window.get(), QStringLiteral("loading") + suffix, false))
            return false;
        if (!waitUntil([&] { return !viewModel.isLoading(); }, 10 * 60 * 1000)) {
            err() << "codeorchardist: the scan did not finish" << Qt::endl;
            return false;
        }

        if (viewModel.projectCount() > 0) {
            const std::pair<ViewMode::Mode, const char*> modes[] = {
                {ViewMode::List, "list"}, {ViewMode::Tree, "tree"}, {ViewMode::Graph, "graph"}, {ViewMode::Cards, "cards"}};
            // The List mode shows the richest detail pane: a git project when there is one.
            for (const Project& p : viewModel.projects()) {
                if (p.hasGit) {
                    viewModel.selectProject(p.id.toString(QUuid::WithoutBraces));
                    break;
                }
            }
            QObject* layout = window->property("layoutState").value<QObject*>();
            for (const auto& [mode, name] : modes) {
                // The Tree's picture shows the detail pane beside it; the others the view alone.
                if (layout) layout->setProperty("detailOpen", mode == ViewMode::Tree);
                window->setProperty("viewMode", int(mode));
                if (!shoot(window.get(), QString::fromLatin1(name) + suffix))
                    return false;
            }
            viewModel.setSearchText(QStringLiteral("no-such-project"));
            if (!shoot(window.get(), QStringLiteral("no-results") + suffix))
                return false;
            viewModel.setSearchText(QString());
        }

        viewModel.chooseFolder(QUrl::fromLocalFile(emptyFolder.path()));
        if (!waitUntil([&] { return !viewModel.isLoading(); }, 60 * 1000))
            return false;
        if (!shoot(window.get(), QStringLiteral("no-projects") + suffix))
            return false;
        window->hide();
        return true;
    }

    QQmlEngine& m_engine;
    QString m_out;
    QByteArray m_folder;
    QSize m_size;
};

} // namespace

int runCaptureMode(QQmlEngine& engine, const QString& outputDir, const QByteArray& folder, QSize size)
{
    return Capture(engine, outputDir, folder, size).run();
}
