#pragma once

#include "state/PlatformServices.h"

#include <QObject>

class ProjectsViewModel;

// The file manager through QDesktopServices.
class DesktopFileManager : public FileManager {
public:
    void openFolder(const QUrl& folder) override;
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
