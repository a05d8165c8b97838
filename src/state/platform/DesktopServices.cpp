#include "state/platform/DesktopServices.h"

#include "discovery/ProjectScanner.h"
#include "state/FolderUrl.h"
#include "state/ProjectsViewModel.h"
#include "state/ResultsCache.h"
#include "state/SettingsFile.h"
#include "state/SystemEditorLauncher.h"
#include "state/SystemTerminalLauncher.h"
#include "state/platform/WatchedSpawn.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>

namespace {
const QString kFileManagerService = QStringLiteral("org.freedesktop.FileManager1");
const QString kFileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");
} // namespace

bool DesktopFileManager::show(const QUrl& folder) const {
    if (!folder.isValid() || !folder.isLocalFile()) return false;
    return showOverDBus(folder) || openWithXdgOpen(folder);
}

bool DesktopFileManager::showOverDBus(const QUrl& folder) const {
    const QDBusConnection bus = m_routes.busAddress.isEmpty()
                                    ? QDBusConnection::sessionBus()
                                    : QDBusConnection::connectToBus(m_routes.busAddress, QStringLiteral("codeorchardist-files ") + m_routes.busAddress);
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kFileManagerService, kFileManagerPath, kFileManagerService,
                                                       QStringLiteral("ShowItems"));
    call << QStringList{folder.toString(QUrl::FullyEncoded)} << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, int(m_routes.timeout.count()));
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool DesktopFileManager::openWithXdgOpen(const QUrl& folder) const {
    const SystemTerminalLauncher lookup =
        m_routes.path ? SystemTerminalLauncher(std::nullopt, m_routes.path) : SystemTerminalLauncher();
    const std::optional<QByteArray> xdgOpen = lookup.resolveExecutable(QByteArrayLiteral("xdg-open"));
    const std::optional<QByteArray> path = localFolderPath(folder);
    if (!xdgOpen || !path || !path->startsWith('/')) return false;
    // xdg-open ends at once when it hands the folder on or finds nothing to open it with; one
    // that keeps running opened the folder in a program it runs itself.
    const watchedspawn::Outcome outcome =
        watchedspawn::run(*xdgOpen, {*path}, m_routes.timeout);
    return outcome == watchedspawn::Outcome::succeeded || outcome == watchedspawn::Outcome::stillRunning;
}

bool DesktopUrlOpener::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void GuiClipboard::clear() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear(QClipboard::Clipboard);
}

void GuiClipboard::setPlainText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    auto* data = new QMimeData;
    data->setText(text);
    clipboard->setMimeData(data, QClipboard::Clipboard);
}

PlatformServices desktopServices() {
    auto terminal = std::make_shared<SystemTerminalLauncher>();
    PlatformServices services;
    services.fileManager = std::make_shared<DesktopFileManager>();
    services.clipboard = std::make_shared<GuiClipboard>();
    services.terminal = terminal;
    services.editors = std::make_shared<SystemEditorLauncher>(EditorCatalog(), terminal);
    services.urls = std::make_shared<DesktopUrlOpener>();
    return services;
}

ProjectsViewModel* createApplicationViewModel(QObject* parent) {
    settingsfile::Opened opened = settingsfile::open(settingsfile::applicationFileName());
    auto* model = new ProjectsViewModel(ProjectScanner::shared(), std::move(opened.settings), desktopServices(), parent);
    if (!opened.problem.isEmpty()) model->reportSettingsProblem(opened.problem);
    model->useResultsCache(std::make_shared<ResultsCache>());
    return model;
}
