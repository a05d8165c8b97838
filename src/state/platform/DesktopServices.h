#pragma once

#include "state/PlatformServices.h"

#include <QObject>
#include <chrono>
#include <optional>

class ProjectsViewModel;

// The desktop's file manager: asked over D-Bus to show the folder selected
// (org.freedesktop.FileManager1 ShowItems), and when no file manager answers there, through
// xdg-open. Says whether either took the folder.
class DesktopFileManager : public FileManager {
public:
    struct Routes {
        // The D-Bus bus to ask ("" for the session bus).
        QString busAddress;
        // The PATH xdg-open is looked up in (none: the environment's).
        std::optional<QByteArray> path;
        std::chrono::milliseconds timeout{2000};
    };

    DesktopFileManager() = default;
    explicit DesktopFileManager(Routes routes) : m_routes(std::move(routes)) {}

    bool openFolder(const QUrl& folder) override { return show(folder); }
    // Shows `folder`; false when neither the D-Bus file manager nor xdg-open took it.
    bool show(const QUrl& folder) const;
    bool showOverDBus(const QUrl& folder) const;
    bool openWithXdgOpen(const QUrl& folder) const;

private:
    Routes m_routes;
};

// Web pages through the desktop's URL handler (QDesktopServices).
class DesktopUrlOpener : public UrlOpener {
public:
    bool openUrl(const QUrl& url) override;
};

// The application's clipboard (QGuiApplication::clipboard()).
class GuiClipboard : public Clipboard {
public:
    void clear() override;
    void setPlainText(const QString& text) override;
};

// The services of the running desktop: file manager, clipboard and the system's terminal.
PlatformServices desktopServices();

// The application's view model: settings QSettings("Codeorchardist", "Codeorchardist"), the
// shared scanner and the desktop services. Needs a QGuiApplication; owned by `parent`.
ProjectsViewModel* createApplicationViewModel(QObject* parent = nullptr);
