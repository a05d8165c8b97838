#include "state/platform/DesktopServices.h"

#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"
#include "state/ResultsCache.h"
#include "state/SettingsFile.h"
#include "state/SystemTerminalLauncher.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>

void DesktopFileManager::openFolder(const QUrl& folder) { QDesktopServices::openUrl(folder); }

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
    return PlatformServices{std::make_shared<DesktopFileManager>(), std::make_shared<GuiClipboard>(),
                            std::make_shared<SystemTerminalLauncher>()};
}

ProjectsViewModel* createApplicationViewModel(QObject* parent) {
    settingsfile::Opened opened = settingsfile::open(settingsfile::applicationFileName());
    auto* model = new ProjectsViewModel(ProjectScanner::shared(), std::move(opened.settings), desktopServices(), parent);
    if (!opened.problem.isEmpty()) model->reportSettingsProblem(opened.problem);
    model->useResultsCache(std::make_shared<ResultsCache>());
    return model;
}
