#pragma once

#include "discovery/GitService.h"
#include "discovery/ProjectScanner.h"
#include "state/PlatformServices.h"
#include "state/ProjectsViewModel.h"
#include "support/TestFolders.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

namespace statetest {

// Runs the event loop until `condition` holds or `timeoutMs` passes; returns the condition.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 60000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

class RecordingFileManager : public FileManager {
public:
    void openFolder(const QUrl& folder) override { opened.append(folder); }
    QList<QUrl> opened;
};

// Records the calls in order: "clear" and "text:<text>".
class RecordingClipboard : public Clipboard {
public:
    void clear() override {
        calls.append(QStringLiteral("clear"));
        text.clear();
    }
    void setPlainText(const QString& value) override {
        calls.append(QStringLiteral("text:") + value);
        text = value;
    }
    QStringList calls;
    QString text = QStringLiteral("previous clipboard content");
};

class RecordingTerminal : public TerminalLauncher {
public:
    bool openTerminal(const QByteArray& folder) override {
        folders.append(folder);
        return starts;
    }
    QStringList triedPrograms() const override { return tried; }
    QList<QByteArray> folders;
    bool starts = true;
    QStringList tried;
};

// A view model over a real scanner, a settings file in a temporary folder and recording
// platform services.
class ViewModelHarness {
public:
    ViewModelHarness()
        : scanner(git),
          settings(std::make_shared<QSettings>(settingsDir.filePath(QStringLiteral("settings.ini")),
                                               QSettings::IniFormat)),
          fileManager(std::make_shared<RecordingFileManager>()),
          clipboard(std::make_shared<RecordingClipboard>()),
          terminal(std::make_shared<RecordingTerminal>()) {}

    std::unique_ptr<ProjectsViewModel> makeViewModel() {
        return std::make_unique<ProjectsViewModel>(scanner, settings,
                                                   PlatformServices{fileManager, clipboard, terminal});
    }

    QString settingsFile() const { return settings->fileName(); }

    GitService git;
    ProjectScanner scanner;
    QTemporaryDir settingsDir;
    std::shared_ptr<QSettings> settings;
    std::shared_ptr<RecordingFileManager> fileManager;
    std::shared_ptr<RecordingClipboard> clipboard;
    std::shared_ptr<RecordingTerminal> terminal;
};

inline QUrl urlOf(const QByteArray& path) { return QUrl::fromLocalFile(QString::fromUtf8(path)); }

} // namespace statetest
