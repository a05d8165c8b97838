#include "ProjectActions.h"

#include "state/ProjectFetcher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QMetaMethod>

namespace projectactions {

namespace {
Entry separator() { return Entry{}; }

bool hasRemotes(const QVariantMap& project) { return !project.value(QStringLiteral("remotes")).toList().isEmpty(); }

// A git action of the record: enabled by its `can` key, with its `reason` key.
Entry gitEntry(const QVariantMap& project, const char* key, const char* text, const char* can, const char* reason) {
    // The reason of an offered action says what it will do ("Fast-forward to origin/main").
    return Entry{QLatin1String(key), QLatin1String(text), project.value(QLatin1String(can)).toBool(),
                 project.value(QLatin1String(reason)).toString()};
}
} // namespace

QString editorActionText(const QString& editorName) {
    return editorName.isEmpty() ? QStringLiteral("Open in Editor") : QStringLiteral("Open in %1").arg(editorName);
}

QList<Entry> menuEntries(const QVariantMap& project, const Abilities& abilities, const QString& editorName,
                         bool fetching) {
    QList<Entry> entries;
    if (abilities.editor) {
        entries.append(Entry{QStringLiteral("editor"), editorActionText(editorName)});
        entries.append(Entry{QStringLiteral("chooseEditor"), QStringLiteral("Choose Editor…")});
    }
    entries.append(Entry{QStringLiteral("terminal"), QStringLiteral("Open in Terminal")});
    entries.append(Entry{QStringLiteral("files"), QStringLiteral("Open in File Manager")});
    const bool git = project.value(QStringLiteral("hasGit")).toBool();
    if (git && abilities.browser) {
        const bool web = !project.value(QStringLiteral("remoteWebUrl")).toString().isEmpty();
        entries.append(Entry{QStringLiteral("browser"), QStringLiteral("Open Remote in Browser"), web,
                        web ? QString()
                            : hasRemotes(project) ? QStringLiteral("No web page is known for this remote's host")
                                                  : QStringLiteral("No remote to open")});
    }
    if (git) {
        entries.append(separator());
        Entry fetch = project.contains(QStringLiteral("canFetch"))
                          ? gitEntry(project, "fetch", "Fetch", "canFetch", "fetchReason")
                          : Entry{QStringLiteral("fetch"), QStringLiteral("Fetch"), hasRemotes(project)};
        if (!fetch.enabled && fetch.reason.isEmpty()) fetch.reason = QStringLiteral("No remote to fetch from");
        if (fetch.enabled && fetching) fetch = {fetch.key, fetch.text, false, QStringLiteral("A fetch is running")};
        entries.append(fetch);
        if (abilities.pullPush && project.contains(QStringLiteral("canPull")))
            entries.append(gitEntry(project, "pull", "Pull", "canPull", "pullReason"));
        if (abilities.pullPush && project.contains(QStringLiteral("canPush")))
            entries.append(gitEntry(project, "push", "Push", "canPush", "pushReason"));
    }
    entries.append(separator());
    entries.append(Entry{QStringLiteral("copyPath"), QStringLiteral("Copy Path")});
    entries.append(Entry{QStringLiteral("refresh"), QStringLiteral("Refresh")});
    return entries;
}

QString buttonTip(const Entry& entry, const QString& note) {
    static const QHash<QString, QString> purposes = {
        {QStringLiteral("editor"), QStringLiteral("Open the project folder in the editor")},
        {QStringLiteral("browser"), QStringLiteral("Open the remote's web page")},
        {QStringLiteral("fetch"), QStringLiteral("Fetch from the remotes, then refresh")},
        {QStringLiteral("pull"), QStringLiteral("Fast-forward the branch to its upstream; never merges, rebases or overwrites local changes")},
        {QStringLiteral("push"), QStringLiteral("Push the branch to its upstream with your own credentials")},
    };
    QString tip = entry.reason.isEmpty() ? purposes.value(entry.key) : entry.reason;
    const bool git = entry.key == QLatin1String("fetch") || entry.key == QLatin1String("pull")
                     || entry.key == QLatin1String("push");
    if (git) {
        const QString said = note.isEmpty() ? QStringLiteral("The repository's hooks do not run from here") : note;
        tip = tip.isEmpty() ? said : tip + QStringLiteral(". ") + said;
    }
    return tip;
}

QVariantList summaryGroups(const QVariantList& results) {
    QStringList order{QStringLiteral("failed"), QStringLiteral("skipped")};
    QHash<QString, QVariantList> items;
    for (const QVariant& value : results) {
        const QString result = value.toMap().value(QStringLiteral("result")).toString();
        if (!order.contains(result)) order.append(result);
        items[result].append(value);
    }
    QVariantList groups;
    for (const QString& result : order) {
        const QVariantList& members = items.value(result);
        if (members.isEmpty()) continue;
        QString title = result;
        title.replace(QLatin1Char('-'), QLatin1Char(' '));
        if (!title.isEmpty()) title[0] = title[0].toUpper();
        groups.append(QVariantMap{{QStringLiteral("result"), result},
                                  {QStringLiteral("title"), QStringLiteral("%1 (%2)").arg(title).arg(members.size())},
                                  {QStringLiteral("items"), members}});
    }
    return groups;
}

KeyAction keyAction(int key, Qt::KeyboardModifiers modifiers) {
    modifiers &= ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) return KeyAction::open;
    if (key == Qt::Key_Menu && modifiers == Qt::NoModifier) return KeyAction::menu;
    if (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier) return KeyAction::menu;
    return KeyAction::none;
}

} // namespace projectactions

namespace {
bool hasMethod(const QObject* object, const char* signature) {
    return object && object->metaObject()->indexOfMethod(signature) >= 0;
}

QVariantMap projectOf(QObject* viewModel, const QString& id) {
    QVariantMap project;
    if (viewModel) QMetaObject::invokeMethod(viewModel, "projectById", Q_RETURN_ARG(QVariantMap, project), Q_ARG(QString, id));
    return project;
}

QString editorNameOf(QObject* viewModel, const QString& id) {
    QString name;
    if (hasMethod(viewModel, "editorNameFor(QString)"))
        QMetaObject::invokeMethod(viewModel, "editorNameFor", Q_RETURN_ARG(QString, name), Q_ARG(QString, id));
    return name;
}

// The view model's operation for each entry that it carries out itself.
const QHash<QString, const char*>& operations() {
    static const QHash<QString, const char*> names = {
        {QStringLiteral("editor"), "openInEditor"},     {QStringLiteral("terminal"), "openInTerminal"},
        {QStringLiteral("files"), "openInFinder"},      {QStringLiteral("browser"), "openRemoteInBrowser"},
        {QStringLiteral("fetch"), "fetchProject"},      {QStringLiteral("pull"), "pullProject"},
        {QStringLiteral("push"), "pushProject"},        {QStringLiteral("refresh"), "refreshProject"},
    };
    return names;
}
} // namespace

projectactions::Abilities ProjectActions::abilitiesOf(const QObject* viewModel) {
    return {hasMethod(viewModel, "openInEditor(QString)"), hasMethod(viewModel, "openRemoteInBrowser(QString)"),
            hasMethod(viewModel, "pullProject(QString)") && hasMethod(viewModel, "pushProject(QString)")};
}

QString ProjectActions::noEditorsText() {
    return QStringLiteral(
        "No editor was found. Editors are found from their desktop entries in the application folders "
        "(~/.local/share/applications and the XDG data folders): VS Code, VSCodium, the JetBrains IDEs, "
        "Sublime Text, Zed, Kate, GNOME Text Editor, GNOME Builder, Emacs, Neovim and others; "
        "$VISUAL or $EDITOR is run in your terminal. Install one, or set $VISUAL, and open this again.");
}

bool ProjectActions::hasAbility(QObject* viewModel, const QString& ability) const {
    const projectactions::Abilities abilities = abilitiesOf(viewModel);
    if (ability == QLatin1String("editor")) return abilities.editor;
    if (ability == QLatin1String("browser")) return abilities.browser;
    if (ability == QLatin1String("pullPush")) return abilities.pullPush;
    if (ability == QLatin1String("bulk")) return viewModel && viewModel->property("bulk").value<QObject*>() != nullptr;
    return false;
}

QVariantList ProjectActions::menuEntries(QObject* viewModel, const QString& id) const {
    const QVariantMap project = projectOf(viewModel, id);
    if (project.isEmpty()) return {};
    const QObject* fetcher = viewModel->property("fetcher").value<QObject*>();
    const bool fetching = fetcher && fetcher->property("isFetching").toBool();
    QVariantList list;
    for (const projectactions::Entry& entry :
         projectactions::menuEntries(project, abilitiesOf(viewModel), editorNameOf(viewModel, id), fetching)) {
        list.append(QVariantMap{{QStringLiteral("key"), entry.key},
                                {QStringLiteral("text"), entry.text},
                                {QStringLiteral("enabled"), entry.enabled},
                                {QStringLiteral("reason"), entry.reason}});
    }
    return list;
}

QString ProjectActions::editorActionText(QObject* viewModel, const QString& id) const {
    return projectactions::editorActionText(editorNameOf(viewModel, id));
}

QVariantMap ProjectActions::buttonState(QObject* viewModel, const QVariantMap& project, bool fetching,
                                        const QString& key) const {
    const QString id = project.value(QStringLiteral("id")).toString();
    const QString note = project.value(QStringLiteral("actionsTooltipNote")).toString();
    for (const projectactions::Entry& entry :
         projectactions::menuEntries(project, abilitiesOf(viewModel), editorNameOf(viewModel, id), fetching)) {
        if (entry.key != key) continue;
        return {{QStringLiteral("shown"), true},
                {QStringLiteral("text"), entry.text},
                {QStringLiteral("enabled"), entry.enabled},
                {QStringLiteral("tip"), projectactions::buttonTip(entry, note)}};
    }
    return {{QStringLiteral("shown"), false}, {QStringLiteral("text"), QString()},
            {QStringLiteral("enabled"), false}, {QStringLiteral("tip"), QString()}};
}

void ProjectActions::trigger(QObject* viewModel, const QString& key, const QString& id) {
    if (!viewModel || id.isEmpty()) return;
    if (key == QLatin1String("chooseEditor")) {
        emit chooseEditorRequested(id);
    } else if (key == QLatin1String("copyPath")) {
        const QString path = projectOf(viewModel, id).value(QStringLiteral("path")).toString();
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (path.isEmpty() || !clipboard) return;
        clipboard->setText(path);
        emit answered(QStringLiteral("Copied the path"));
    } else if (const char* operation = operations().value(key, nullptr)) {
        QMetaObject::invokeMethod(viewModel, operation, Q_ARG(QString, id));
    }
}

QString ProjectActions::summaryTitle(const QString& action) const {
    if (action == QLatin1String("pull")) return QStringLiteral("Pull All");
    if (action == QLatin1String("push")) return QStringLiteral("Push All");
    return QStringLiteral("Fetch All");
}

void ProjectActions::stopAll(QObject* viewModel) const {
    if (!viewModel) return;
    if (QObject* bulk = viewModel->property("bulk").value<QObject*>(); bulk && bulk->property("isRunning").toBool()) {
        QMetaObject::invokeMethod(bulk, "stop");
        return;
    }
    if (auto* fetcher = qobject_cast<ProjectFetcher*>(viewModel->property("fetcher").value<QObject*>());
        fetcher && fetcher->isFetching())
        fetcher->cancel();
}

void ProjectActions::chooseEditor(QObject* viewModel, const QString& id, const QString& editorId, bool forKind) {
    if (!hasMethod(viewModel, "openInEditorWith(QString,QString,bool)")) return;
    QMetaObject::invokeMethod(viewModel, "openInEditorWith", Q_ARG(QString, id), Q_ARG(QString, editorId),
                              Q_ARG(bool, forKind));
    ++m_editorRevision;
    emit editorRevisionChanged();
}

int ProjectActions::keyAction(int key, int modifiers) const {
    switch (projectactions::keyAction(key, Qt::KeyboardModifiers(modifiers))) {
    case projectactions::KeyAction::open: return OpenKey;
    case projectactions::KeyAction::menu: return MenuKey;
    case projectactions::KeyAction::none: break;
    }
    return NoKey;
}
