// Pull and push of one project or of all, and the summary of Fetch All.
#include "state/ProjectsViewModel.h"

#include "model/SyncEligibility.h"

#include <QPointer>

void ProjectsViewModel::syncAction(BulkGitActions::Action action, const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project) return;
    const SyncEligibility allowed =
        action == BulkGitActions::Action::pull ? pullEligibility(*project) : pushEligibility(*project);
    if (!allowed.allowed) {
        emit actionFeedback(project->name + QStringLiteral(": ") + allowed.reason);
        return;
    }
    emit actionFeedback(project->name + (action == BulkGitActions::Action::pull ? QStringLiteral(": pulling…")
                                                                                : QStringLiteral(": pushing…")));
    QPointer<ProjectsViewModel> self(this);
    m_bulk->runOne(action, *project, [self, project = *project](const SyncOutcome& outcome) {
        if (!self) return;
        self->refreshProject(project);
        emit self->actionFeedback(project.name + QStringLiteral(": ") + outcome.reason);
    });
}

void ProjectsViewModel::pullProject(const QString& id) { syncAction(BulkGitActions::Action::pull, id); }

void ProjectsViewModel::pushProject(const QString& id) { syncAction(BulkGitActions::Action::push, id); }

void ProjectsViewModel::pullAll() {
    if (!m_bulk->start(BulkGitActions::Action::pull, m_projects))
        emit actionFeedback(m_bulk->isRunning() ? QStringLiteral("Wait for the running batch, or stop it")
                                                : QStringLiteral("No branch to pull: none tracks an upstream without commits of its own"));
}

void ProjectsViewModel::pushAll() {
    if (!m_bulk->start(BulkGitActions::Action::push, m_projects))
        emit actionFeedback(m_bulk->isRunning() ? QStringLiteral("Wait for the running batch, or stop it")
                                                : QStringLiteral("No branch to push: none is ahead of its upstream and not behind"));
}

void ProjectsViewModel::bulkFinished(BulkGitActions::Action, const QList<Project>& projects) {
    for (const Project& project : projects) refreshProject(project);
}
