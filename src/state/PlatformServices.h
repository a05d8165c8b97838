#pragma once

#include <QByteArray>
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
    // Hands the folder's file URL to the file manager. Failures are not reported.
    virtual void openFolder(const QUrl& folder) = 0;
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
    // The programs tried, in order, for a message when no terminal could be started.
    virtual QStringList triedPrograms() const { return {}; }
};

// The services handed to the view model; any of them may be null, and the action that needs a
// missing service does nothing.
struct PlatformServices {
    std::shared_ptr<FileManager> fileManager;
    std::shared_ptr<Clipboard> clipboard;
    std::shared_ptr<TerminalLauncher> terminal;
};
