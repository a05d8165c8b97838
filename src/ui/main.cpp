#include "CaptureMode.h"
#include "CommandLine.h"
#include "QmlSetup.h"
#include "QuitOnSignal.h"
#include "SingleInstance.h"

#include "discovery/ProjectScanner.h"
#include "state/FolderUrl.h"
#include "state/ProjectsViewModel.h"
#include "state/platform/DesktopServices.h"

#include <QDir>
#include <QApplication>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const CommandLine cl = CommandLine::parse(arguments);
    if (!cl.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(cl.error));
        return 2;
    }
    // Both answer before anything opens a display or reads the settings.
    if (cl.help) {
        std::fputs(qPrintable(CommandLine::helpText()), stdout);
        return 0;
    }
    if (cl.version) {
        std::printf("codeorchardist %s\n", CODEORCHARDIST_VERSION);
        return 0;
    }

    // The capture mode keeps every setting in a folder of its own.
    std::unique_ptr<QTemporaryDir> captureSettings;
    if (cl.captureMode()) {
        captureSettings = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", captureSettings->path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, captureSettings->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, captureSettings->path());
    }

    // A QApplication, not only a QGuiApplication: the folder chooser is a widget dialog (or the
    // desktop's own, through the platform theme).
    QApplication app(argc, argv);
    quitOnTerminationSignals(app);
    uisetup::prepareApplication();
    QQmlEngine engine;
    uisetup::prepareEngine(engine);
    QObject::connect(&engine, &QQmlEngine::quit, &app, &QApplication::quit, Qt::QueuedConnection);

    if (cl.captureMode()) {
        const int rc = runCaptureMode(engine, cl.screenshotDir, cl.folder, cl.captureSize);
        ProjectScanner::shared().shutdown();
        return rc;
    }

    // A window already open on the same settings takes the folder and comes forward instead.
    SingleInstance instance(SingleInstance::serverPathFor(QSettings().fileName()));
    if (instance.handOver(cl.folder))
        return 0;
    instance.listen();

    ProjectsViewModel* viewModel = createApplicationViewModel(&app);
    // A folder on the command line is taken as if chosen in the dialog: stored, then scanned.
    const bool folderGiven = !cl.folder.isEmpty();
    std::unique_ptr<QQuickWindow> window(uisetup::createMainWindow(engine, viewModel, !folderGiven));
    if (!window)
        return 1;
    if (folderGiven)
        viewModel->chooseFolder(folderUrl(cl.folder));
    QObject::connect(&instance, &SingleInstance::activationRequested, window.get(), [&](const QByteArray& folder) {
        if (!folder.isEmpty())
            viewModel->chooseFolder(folderUrl(folder));
        window->show();
        window->raise();
        window->requestActivate();
    });
    window->show();
    const int rc = app.exec();
    // A scan still running ends now, before anything it uses goes away.
    ProjectScanner::shared().shutdown();
    window.reset();
    return rc;
}
