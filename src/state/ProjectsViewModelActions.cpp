// The project actions of ProjectsViewModel: choosing the root folder and the desktop actions on
// a project with the notices about how they went.
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

void ProjectsViewModel::openInFinder(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project || !m_services.fileManager) return;
    if (!m_services.fileManager->openFolder(folderUrl(project->path))) emit actionFeedback(fileManagerFailureMessage());
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
