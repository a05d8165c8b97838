#pragma once

#include "model/Project.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Project records made up for the visualization tests.
namespace viztest {

// A project at `path` of kind `type`, with a fresh id and the folder's name as its name.
Project project(const QString& path, ProjectType type = ProjectType::nodeJS);

// `count` projects spread over nested folders below `root`, as a scan of a large workspace
// would find them (groups of folders, some projects inside other projects).
QList<Project> workspace(const QString& root, int count, const QDateTime& now);

} // namespace viztest

#include <QColor>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <memory>

class ProjectsViewModel;
class GraphZoom;
class QQuickItem;

namespace viztest {

// Project folders on disk, for scans by the real view model.
class Workspace {
public:
    Workspace();
    QByteArray root() const;
    // A Node.js project at `relative` (package.json with name and optional version) whose
    // folder was last modified `daysAgo` days ago (relative to now, same time of day).
    QByteArray addProject(const QByteArray& relative, const QByteArray& name, const QByteArray& version = {},
                          int daysAgo = 0);
    // Sets the folders' modification times; call after every project has been added.
    void stampTimes();

private:
    QTemporaryDir m_dir;
    QList<QPair<QByteArray, int>> m_times;
};

// One QML view of the visualizations in a window, with a real view model (settings in a
// folder of the test's own) and the window's zoom state.
class ViewHarness {
public:
    ViewHarness(int width = 1000, int height = 700);
    ~ViewHarness();

    ProjectsViewModel& viewModel() { return *m_viewModel; }
    GraphZoom& zoom() { return *m_zoom; }
    QQuickWindow& window() { return m_window; }
    QQmlEngine& engine() { return m_engine; }

    // Scans `folder` and returns once the scan and the tree and graph builds are done.
    bool scan(const QByteArray& folder);
    // Creates the view type (TreeVisualizationView, NetworkGraphView or CardDashboardView)
    // filling the window, and waits until it is on screen.
    QQuickItem* show(const QString& type);
    // Renders one frame synchronously (polish, sync, render), so that layouts are current.
    void render();
    // The theme's colour of that name in the current appearance.
    QColor themeColor(const QString& name);

private:
    QTemporaryDir m_settingsDir;
    QQmlEngine m_engine;
    QQuickWindow m_window;
    ProjectsViewModel* m_viewModel = nullptr;
    GraphZoom* m_zoom = nullptr;
    std::unique_ptr<QQuickItem> m_view;
};

// Items below `root` (visible or not) whose property `name` equals `value`.
QList<QQuickItem*> itemsWith(QQuickItem* root, const char* name, const QVariant& value);
QQuickItem* itemWith(QQuickItem* root, const char* name, const QVariant& value);
// The first item below `root` with this objectName (visible or not).
QQuickItem* child(QQuickItem* root, const QString& objectName);
// Left click at the centre of `item`, once it can take it (see uipointer::waitUntilClickable).
void click(QQuickItem* item);
// One notch of the mouse wheel (positive: away from the user) at `point`, with `modifiers`.
void wheel(QQuickWindow& window, QPoint point, int notches, Qt::KeyboardModifiers modifiers);

} // namespace viztest
