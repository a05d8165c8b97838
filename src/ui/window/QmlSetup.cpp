#include "QmlSetup.h"

#include "HeapTrim.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>

// The module is linked statically: its plugin is imported here, so that any program that
// calls prepareEngine() resolves "import Codeorchardist".
Q_IMPORT_QML_PLUGIN(CodeorchardistPlugin)

namespace uisetup {

void prepareApplication()
{
    QGuiApplication::setApplicationName(QStringLiteral("Codeorchardist"));
    QGuiApplication::setOrganizationName(QStringLiteral("Codeorchardist"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Codeorchardist"));
    // The desktop entry's name: launchers and task bars match the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral(CODEORCHARDIST_APP_ID));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/Codeorchardist/resources/codeorchardist.svg")));
    // One style for the whole application, coloured through the window's palette.
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
}

void prepareEngine(QQmlEngine& engine)
{
    engine.addImportPath(QStringLiteral("qrc:/"));
}

QQuickWindow* createMainWindow(QQmlEngine& engine, QObject* viewModel, bool scanOnStart)
{
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/Codeorchardist/window/qml/Main.qml")));
    if (component.isError()) {
        qWarning().noquote() << component.errorString();
        return nullptr;
    }
    QObject* object = component.createWithInitialProperties(
        {{QStringLiteral("viewModel"), QVariant::fromValue(viewModel)},
         {QStringLiteral("scanOnStart"), scanOnStart}});
    auto* window = qobject_cast<QQuickWindow*>(object);
    if (!window) {
        qWarning().noquote() << component.errorString();
        delete object;
        return nullptr;
    }
    heaptrim::trimAfterItemChanges(window->findChild<QObject*>(QStringLiteral("mainArea")));
    return window;
}

} // namespace uisetup
