// Opening a project in an editor or IDE, the choice remembered in the settings, and the
// remote's web page.
#include "state/ProjectsViewModel.h"

#include "model/RemoteUrl.h"
#include "state/ActionMessages.h"
#include "state/SyncMap.h"

namespace {

const QString kDefaultEditorKey = QStringLiteral("editors/default");

// A settings key for the kind: its raw value without the characters a key may not hold
// ("Java/Maven" would otherwise be a group).
QString kindKey(ProjectType type) {
    QString key;
    for (const QChar c : projecttype::rawValue(type)) {
        if (c.isLetterOrNumber()) key += c.toLower();
    }
    return QStringLiteral("editors/kind/") + key;
}

} // namespace

QVariantList ProjectsViewModel::editorsList() const {
    if (!m_editors) m_editors = m_services.editors ? m_services.editors->editors() : QList<EditorChoice>();
    QVariantList list;
    for (const EditorChoice& e : *m_editors) list.append(QVariantMap{{QStringLiteral("id"), e.id}, {QStringLiteral("name"), e.name}});
    return list;
}

void ProjectsViewModel::reloadEditors() {
    const std::optional<QList<EditorChoice>> before = m_editors;
    m_editors = m_services.editors ? m_services.editors->editors() : QList<EditorChoice>();
    if (before != m_editors) emit editorsChanged();
}

std::optional<EditorChoice> ProjectsViewModel::editorFor(const Project& project) const {
    editorsList();
    const auto installed = [&](const QVariant& stored) -> std::optional<EditorChoice> {
        // A damaged value (not a text, or an editor no longer installed) is passed over.
        if (stored.typeId() != QMetaType::QString) return std::nullopt;
        for (const EditorChoice& e : *m_editors) {
            if (e.id == stored.toString()) return e;
        }
        return std::nullopt;
    };
    if (m_settings) {
        if (auto e = installed(m_settings->value(kindKey(project.type)))) return e;
        if (auto e = installed(m_settings->value(kDefaultEditorKey))) return e;
    }
    if (m_editors->size() == 1) return m_editors->first();
    return std::nullopt;
}

QString ProjectsViewModel::editorNameFor(const QString& id) const {
    const std::optional<Project> project = findProject(id);
    if (!project) return {};
    const std::optional<EditorChoice> editor = editorFor(*project);
    return editor ? editor->name : QString();
}

void ProjectsViewModel::launchEditor(const Project& project, const EditorChoice& editor) {
    const QString failure = m_services.editors->openFolder(editor.id, project.path);
    emit actionFeedback(failure.isEmpty() ? QStringLiteral("Opening %1 in %2").arg(project.name, editor.name) : failure);
}

void ProjectsViewModel::openInEditor(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.editors) return;
    reloadEditors();
    if (m_editors->isEmpty()) {
        emit actionFeedback(m_services.editors->nothingFoundMessage());
        return;
    }
    if (const std::optional<EditorChoice> editor = editorFor(*project)) {
        launchEditor(*project, *editor);
        return;
    }
    emit editorChoiceNeeded(id);
}

void ProjectsViewModel::openInEditorWith(const QString& id, const QString& editorId, bool forKind) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.editors) return;
    editorsList();
    for (const EditorChoice& editor : *m_editors) {
        if (editor.id != editorId) continue;
        if (m_settings) {
            m_settings->setValue(forKind ? kindKey(project->type) : kDefaultEditorKey, editorId);
            m_settings->sync();
        }
        launchEditor(*project, editor);
        return;
    }
    emit actionFeedback(startFailureMessage(editorId, QStringLiteral("it is no longer installed")));
}

void ProjectsViewModel::openRemoteInBrowser(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.urls) return;
    const QString remote = webRemoteUrl(*project);
    const QString page = remoteWebUrl(remote);
    if (page.isEmpty() || !m_services.urls->openUrl(QUrl(page))) {
        emit actionFeedback(noWebPageMessage(remote));
        return;
    }
    emit actionFeedback(QStringLiteral("Opening ") + page);
}
