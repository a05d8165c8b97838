#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

// What the window offers to do with one project (context menu and detail pane), decided from
// the project's record and from what the view model can do.
namespace projectactions {

// One line of the menu; an empty key is a separator.
struct Entry {
    Entry(QString key = {}, QString text = {}, bool enabled = true, QString reason = {})
        : key(std::move(key)), text(std::move(text)), enabled(enabled), reason(std::move(reason)) {}
    QString key;
    QString text;
    bool enabled;
    QString reason; // why it is disabled
    friend bool operator==(const Entry&, const Entry&) = default;
};

// The view model's optional abilities (older engines lack some).
struct Abilities {
    bool editor = false;     // openInEditor, editors
    bool browser = false;    // openRemoteInBrowser
    bool pullPush = false;   // pullProject, pushProject
};

// The menu of `project` (a project map: hasGit, remotes, canFetch, canPull, ...), in order:
// editor, chooser, terminal, file manager, browser, then fetch, pull and push for
// repositories, then copy path and refresh. Pull and push are left out without the records'
// canPull and canPush; fetch is disabled while `fetching`.
QList<Entry> menuEntries(const QVariantMap& project, const Abilities& abilities, const QString& editorName,
                         bool fetching);
// "Open in Kate", or "Open in Editor" before an editor is known.
QString editorActionText(const QString& editorName);

// The tooltip of a detail-pane button: why it cannot work, or what it does; the git actions add
// `note` (the record's word that the repository's own programs do not run from here).
QString buttonTip(const Entry& entry, const QString& note);

// The results of an action on every project ([{path, name, result, reason}]) grouped by result
// for the summary: [{result, title: "Failed (1)", items}], failures first, then the skipped,
// then the rest in the order they first appear.
QVariantList summaryGroups(const QVariantList& results);

enum class KeyAction { none, open, menu };
// Enter or Return opens in the editor; the Menu key and Shift+F10 open the context menu.
KeyAction keyAction(int key, Qt::KeyboardModifiers modifiers);

} // namespace projectactions

// QML access: the entries for a project of a view model, and carrying them out.
class ProjectActions : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // What the editor chooser says when it has found no editor: how editors are found.
    Q_PROPERTY(QString noEditorsText READ noEditorsText CONSTANT)
    // Goes up whenever the window changes which editor a project opens in; the labels that
    // name the editor read it.
    Q_PROPERTY(int editorRevision READ editorRevision NOTIFY editorRevisionChanged)

public:
    enum Key { NoKey, OpenKey, MenuKey };
    Q_ENUM(Key)

    explicit ProjectActions(QObject* parent = nullptr) : QObject(parent) {}

    static projectactions::Abilities abilitiesOf(const QObject* viewModel);
    static QString noEditorsText();

    // [{key, text, enabled, reason}] for the project `id` of `viewModel`.
    Q_INVOKABLE QVariantList menuEntries(QObject* viewModel, const QString& id) const;
    Q_INVOKABLE QString editorActionText(QObject* viewModel, const QString& id) const;
    // {shown, text, enabled, tip} of the entry `key` as a detail-pane button for `project` (a
    // project map of `viewModel`), while a fetch runs or not.
    Q_INVOKABLE QVariantMap buttonState(QObject* viewModel, const QVariantMap& project, bool fetching,
                                        const QString& key) const;
    Q_INVOKABLE bool hasAbility(QObject* viewModel, const QString& ability) const;
    // Carries out the entry `key` for project `id`; the chooser and the answers the view model
    // does not give itself come back as signals.
    Q_INVOKABLE void trigger(QObject* viewModel, const QString& key, const QString& id);
    Q_INVOKABLE int keyAction(int key, int modifiers) const;
    // Opens project `id` in `editorId` and remembers it (for the project's kind when `forKind`).
    Q_INVOKABLE void chooseEditor(QObject* viewModel, const QString& id, const QString& editorId, bool forKind);
    int editorRevision() const { return m_editorRevision; }
    Q_INVOKABLE QVariantList summaryGroups(const QVariantList& results) const {
        return projectactions::summaryGroups(results);
    }
    // "Pull All", "Push All", "Fetch All" for a batch's action key.
    Q_INVOKABLE QString summaryTitle(const QString& action) const;
    // Stops the running batch: Pull All or Push All, else Fetch All.
    Q_INVOKABLE void stopAll(QObject* viewModel) const;

signals:
    void chooseEditorRequested(const QString& id);
    void answered(const QString& message);
    void editorRevisionChanged();

private:
    int m_editorRevision = 0;
};
