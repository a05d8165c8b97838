#pragma once

class QQmlEngine;

// What every program that shows the Codeorchardist QML needs before loading it.
namespace uisetup {

// Before the first window: the application's names, its icon and the Controls style.
void prepareApplication();
// For each engine: the module's import path and the types QML receives from C++.
void prepareEngine(QQmlEngine& engine);

} // namespace uisetup

class QObject;
class QQuickWindow;

namespace uisetup {

// Creates the main window for `viewModel` (a ProjectsViewModel). With `scanOnStart` the window
// scans the stored root folder when it appears. The caller owns the window; nullptr (with the
// QML errors on the log) when it cannot be created.
QQuickWindow* createMainWindow(QQmlEngine& engine, QObject* viewModel, bool scanOnStart = true);

} // namespace uisetup
