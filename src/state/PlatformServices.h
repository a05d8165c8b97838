#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

// The desktop services the project actions need. Each is a small interface so the view model
// can be driven in tests with doubles; the application wires the real ones.

// Shows a folder in the desktop's file manager.
class FileManager {
public:
    virtual ~FileManager() = default;
    // Hands the folder's file URL to the file manager; false when no file manager took it.
    virtual bool openFolder(const QUrl& folder) = 0;
};

// The desktop clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard.
    virtual void clear() = 0;
    // Puts `text` on the clipboard as plain text, replacing what was there.
    virtual void setPlainText(const QString& text) = 0;
};

// Opens a new terminal window working in a folder.
class TerminalLauncher {
public:
    virtual ~TerminalLauncher() = default;
    // Starts a terminal whose working directory is `folder` (absolute, file-system bytes).
    // Returns whether a terminal could be started.
    virtual bool openTerminal(const QByteArray& folder) = 0;
    // Starts a terminal in `folder` that runs `command` (the program and its arguments, each
    // handed over as it is, no shell). Returns whether a terminal could be started.
    virtual bool runInTerminal(const QByteArray& folder, const QList<QByteArray>& command) {
        (void)folder;
        (void)command;
        return false;
    }
    // The programs tried, in order, for a message when no terminal could be started.
    virtual QStringList triedPrograms() const { return {}; }
};

// An editor the user can choose: `id` is stable across runs (kept in the settings).
struct EditorChoice {
    QString id;
    QString name;
    friend bool operator==(const EditorChoice&, const EditorChoice&) = default;
};

// Finds the installed editors and IDEs and opens folders in them, detached.
class EditorLauncher {
public:
    virtual ~EditorLauncher() = default;
    // The editors installed now, in the order a chooser lists them.
    virtual QList<EditorChoice> editors() = 0;
    // Opens `folder` (absolute, file-system bytes) in the editor `id`. Returns "" when it was
    // started, else a sentence for the user that says what was tried and why it failed.
    virtual QString openFolder(const QString& id, const QByteArray& folder) = 0;
    // The sentence for the user when editors() is empty: what was looked for, and where.
    virtual QString nothingFoundMessage() const = 0;
};

// Opens a web page in the desktop's browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Returns whether the desktop took the URL.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The services handed to the view model; any of them may be null, and the action that needs a
// missing service does nothing.
struct PlatformServices {
    std::shared_ptr<FileManager> fileManager;
    std::shared_ptr<Clipboard> clipboard;
    std::shared_ptr<TerminalLauncher> terminal;
    std::shared_ptr<EditorLauncher> editors;
    std::shared_ptr<UrlOpener> urls;
};
