// The project actions of ProjectsViewModel: choosing the root folder, refreshing one project,
// and the desktop actions on a project with the notices about how they went.
#include "state/ProjectsViewModel.h"

#include "discovery/ProjectScanner.h"
#include "model/RemoteUrl.h"
#include "state/ActionMessages.h"
#include "state/FolderUrl.h"
#include "state/ProjectListModel.h"
#include "state/WhenFinished.h"

void ProjectsViewModel::selectFolder() { emit folderDialogRequested(); }

void ProjectsViewModel::chooseFolder(const QUrl& folder) {
    const std::optional<QByteArray> path = localFolderPath(folder);
    if (!path) return;
    setScanPath(path);
    scanProjects();
}

void ProjectsViewModel::refreshProject(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project) {
        emit refreshFinished(id);
        return;
    }
    refreshProject(*project);
}

void ProjectsViewModel::refreshProject(const Project& project) {
    // Manifests above the project (a Cargo workspace's) are read as far up as in a full scan.
    whenFinished(this, m_scanner.scanProjects(project.path, 0, m_scanPath.value_or(QByteArray())), [this, project](const QFuture<QList<Project>>& future) {
        applyRefreshResult(project, future.resultCount() > 0 ? future.result() : QList<Project>());
    });
}

void ProjectsViewModel::applyRefreshResult(const Project& old, const QList<Project>& found) {
    const QString oldId = old.id.toString(QUuid::WithoutBraces);
    if (found.isEmpty()) {
        emit refreshFinished(oldId);
        return;
    }
    const Project& updated = found.first();

    const qsizetype index = [&] {
        for (qsizetype i = 0; i < m_projects.size(); ++i) {
            if (m_projects.at(i).id == old.id) return i;
        }
        return qsizetype(-1);
    }();
    if (index >= 0) {
        m_projects[index] = updated;
        m_searchIndex.replace(index, updated);
        emit projectsChanged();

        const QList<qsizetype> rows = m_searchIndex.matchingRows(m_projects, m_searchText, m_typeFilter, m_statusFilter);
        if (rows == m_filteredModel->rows() && rows.contains(index)) {
            // Same rows: the record changes in place.
            m_filteredModel->replaceSourceElement(m_projects, index);
            m_filteredList.reset();
            m_matchingIds.reset();
            emit filteredProjectsChanged();
        } else {
            updateFiltered();
        }
    }
    if (index >= 0 || (m_selected && m_selected->id == old.id)) m_replacedIds.insert(old.id, updated.id);
    if (m_selected && m_selected->id == old.id) setSelection(updated);
    emit refreshFinished(oldId);
}

void ProjectsViewModel::openInFinder(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.fileManager) return;
    m_services.fileManager->openFolder(folderUrl(project->path));
}

void ProjectsViewModel::openInTerminal(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.terminal) return;
    if (m_services.terminal->openTerminal(project->path)) return;
    emit actionFeedback(terminalFailureMessage(m_services.terminal->triedPrograms()));
}

void ProjectsViewModel::copyRemoteURL(const QString& url) {
    if (!m_services.clipboard) return;
    m_services.clipboard->clear();
    m_services.clipboard->setPlainText(redactedUrl(url));
    emit actionFeedback(copiedMessage(url));
}
