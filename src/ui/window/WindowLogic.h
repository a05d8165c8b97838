#pragma once

#include "ViewMode.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class QAbstractItemModel;

// The decisions and texts of the main window, kept out of QML so they can be tested alone.
namespace windowlogic {

enum class Screen { Welcome, Loading, NoProjects, NoResults, List, Tree, Graph, Cards };

// Which screen fills the main area, tested in this order: no root folder -> welcome; a scan
// running -> loading; no projects -> "No Projects Found"; nothing passes the filters ->
// "No Results"; otherwise the view mode's screen.
Screen chooseScreen(bool hasScanPath, bool isLoading, int projectCount, int filteredCount, ViewMode::Mode mode);

// The folder text of the header and the detail pane: every occurrence of `home` (without a
// trailing separator) replaced by "~". An empty or root home changes nothing.
QString tildePath(const QString& path, const QString& home);
// The header's folder text: tildePath of the root folder, or "No folder selected".
QString folderText(const QString& scanPath, const QString& home);
// One tick of the loading screen's dots: three or more dots become none, else one more.
QString nextDots(const QString& dots);

struct GitState {
    QString value;
    QString icon;
    QString color;
};
// The "Git Status" card of the detail pane.
GitState gitState(bool hasUncommittedChanges, bool hasGit);

// Columns of a grid of `count` tiles `tile` wide, `spacing` apart, in `width`: as few rows as
// fit, then the tiles spread evenly over them (14 tiles in 9 places: two rows of 7). At least 1.
int tileColumns(int count, double width, double tile, double spacing);

// Entries of the kind filter: "All Types" (type "") and then one per kind present,
// "Node.js (3)", from the view model's typeCounts ({type, count, icon, color}).
QVariantList kindFilterEntries(const QVariantList& typeCounts);

} // namespace windowlogic

// QML access to the window's decisions and texts.
class WindowLogic : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString homePath READ homePath WRITE setHomePath NOTIFY homePathChanged)
    Q_PROPERTY(QVariantList viewModes READ viewModes CONSTANT)
    Q_PROPERTY(QVariantList recognisedKinds READ recognisedKinds CONSTANT)

public:
    enum Screen { Welcome, Loading, NoProjects, NoResults, List, Tree, Graph, Cards };
    Q_ENUM(Screen)

    explicit WindowLogic(QObject* parent = nullptr);

    // The user's home folder, without a trailing separator (settable for tests).
    QString homePath() const { return m_home; }
    void setHomePath(const QString& home);
    // [{mode, title, icon}] for each view mode, in the switch's order.
    QVariantList viewModes() const;
    // [{type, icon, color}] for every kind a scan recognises (all but Unknown), in declaration order.
    QVariantList recognisedKinds() const;

    Q_INVOKABLE int screen(bool hasScanPath, bool isLoading, int projectCount, int filteredCount, int viewMode) const;
    Q_INVOKABLE QString tildePath(const QString& path) const;
    Q_INVOKABLE QString folderText(const QString& scanPath) const;
    Q_INVOKABLE QString nextDots(const QString& dots) const;
    // {value, icon, color} of the "Git Status" card.
    Q_INVOKABLE QVariantMap gitState(bool hasUncommittedChanges, bool hasGit) const;
    Q_INVOKABLE QVariantList kindFilterEntries(const QVariantList& typeCounts) const;
    Q_INVOKABLE int tileColumns(int count, double width, double tile, double spacing) const
    {
        return windowlogic::tileColumns(count, width, tile, spacing);
    }
    // Index of the entry for `type` in kindFilterEntries ("" -> 0; unknown -> 0).
    Q_INVOKABLE int kindFilterIndex(const QVariantList& typeCounts, const QString& type) const;
    // Row of the project with `id` in a project list model (role "id"), -1 when absent.
    Q_INVOKABLE int rowOfProject(QAbstractItemModel* model, const QString& id) const;
    // The id of the project at `row`, "" when out of range.
    Q_INVOKABLE QString projectIdAt(QAbstractItemModel* model, int row) const;
    // The id of the project `step` rows from the one with `id` in the model, clamped to the
    // list; the first row when `id` is not in it; "" for an empty model.
    Q_INVOKABLE QString steppedProjectId(QAbstractItemModel* model, const QString& id, int step) const;
    // headerfit::fit of a map with the fields of headerfit::Room; the fields of headerfit::Fit.
    Q_INVOKABLE QVariantMap fitHeader(const QVariantMap& room) const;
    // `singular` for a count of exactly one, `plural` otherwise.
    Q_INVOKABLE QString countWord(int count, const QString& singular, const QString& plural) const;
    // Whether `name` is a scoped package name ("@scope/name"), which elides in the middle so
    // the part after the slash stays in view.
    Q_INVOKABLE bool isScopedName(const QString& name) const;
    // `name` shortened to `width` pixels in `font`: see nameelide::elideName.
    Q_INVOKABLE QString elidedName(const QString& name, const QFont& font, double width) const;
    // A shortcut as the menus show it ("Ctrl+O").
    Q_INVOKABLE QString shortcutText(const QVariant& shortcut) const;
    // How long a notice stays, in milliseconds: longer messages stay longer.
    Q_INVOKABLE int noticeDuration(const QString& message) const;
    // The notice for a stored root folder that is gone (shown as tildePath).
    Q_INVOKABLE QString missingFolderText(const QString& folder) const;

signals:
    void homePathChanged();

private:
    QString m_home;
};
