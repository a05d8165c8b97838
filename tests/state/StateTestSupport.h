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
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>
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
    bool openFolder(const QUrl& folder) override {
        opened.append(folder);
        return opens;
    }
    QList<QUrl> opened;
    bool opens = true;
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
    bool runInTerminal(const QByteArray& folder, const QList<QByteArray>& command) override {
        folders.append(folder);
        commands.append(command);
        return starts;
    }
    QStringList triedPrograms() const override { return tried; }
    QList<QByteArray> folders;
    QList<QList<QByteArray>> commands;
    bool starts = true;
    QStringList tried;
};

// Editors to choose from; records each folder opened as "id:folder".
class RecordingEditors : public EditorLauncher {
public:
    QList<EditorChoice> editors() override { return installed; }
    QString openFolder(const QString& id, const QByteArray& folder) override {
        opened.append(id + u':' + QString::fromUtf8(folder));
        return failure;
    }
    QString nothingFoundMessage() const override { return QStringLiteral("No editor found."); }
    QList<EditorChoice> installed;
    QStringList opened;
    QString failure;
};

class RecordingUrls : public UrlOpener {
public:
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return opens;
    }
    QList<QUrl> opened;
    bool opens = true;
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
          terminal(std::make_shared<RecordingTerminal>()),
          editors(std::make_shared<RecordingEditors>()),
          urls(std::make_shared<RecordingUrls>()) {}

    std::unique_ptr<ProjectsViewModel> makeViewModel() {
        return std::make_unique<ProjectsViewModel>(scanner, settings,
                                                   PlatformServices{fileManager, clipboard, terminal, editors, urls});
    }

    QString settingsFile() const { return settings->fileName(); }

    GitService git;
    ProjectScanner scanner;
    QTemporaryDir settingsDir;
    std::shared_ptr<QSettings> settings;
    std::shared_ptr<RecordingFileManager> fileManager;
    std::shared_ptr<RecordingClipboard> clipboard;
    std::shared_ptr<RecordingTerminal> terminal;
    std::shared_ptr<RecordingEditors> editors;
    std::shared_ptr<RecordingUrls> urls;
};

inline QUrl urlOf(const QByteArray& path) { return QUrl::fromLocalFile(QString::fromUtf8(path)); }

inline QString idText(const Project& project) { return project.id.toString(QUuid::WithoutBraces); }

// Tests of one view model over a temporary folder tree: scans, refreshes and look-ups that
// wait for the view model's signals.
class ViewModelTest : public ::testing::Test {
protected:
    static constexpr int kWait = 60000;

    // Scans and waits for the scan and the rebuild to be done.
    void scan(ProjectsViewModel& model) {
        QSignalSpy finished(&model, &ProjectsViewModel::scanFinished);
        model.scanProjects();
        ASSERT_TRUE(model.isLoading());
        ASSERT_TRUE(finished.wait(kWait));
        ASSERT_FALSE(model.isLoading());
    }
    // Makes `folder` the root folder and waits for its scan.
    void choose(ProjectsViewModel& model, const QByteArray& folder) {
        QSignalSpy finished(&model, &ProjectsViewModel::scanFinished);
        model.chooseFolder(urlOf(folder));
        ASSERT_TRUE(finished.wait(kWait));
    }
    void refresh(ProjectsViewModel& model, const QString& id) {
        QSignalSpy finished(&model, &ProjectsViewModel::refreshFinished);
        model.refreshProject(id);
        ASSERT_TRUE(finished.count() > 0 || finished.wait(kWait));
    }
    // The project named `name`; a failure and an empty record when there is none.
    const Project& named(const ProjectsViewModel& model, const QString& name) {
        for (const Project& project : model.projects()) {
            if (project.name == name) return project;
        }
        ADD_FAILURE() << "no project " << name.toStdString();
        static const Project none;
        return none;
    }

    ViewModelHarness harness;
    testfolders::TempTree tree;
};

} // namespace statetest
