// The view model's state filter, attention count and fetch actions.
#include "discovery/ProjectScanner.h"
#include "state/ProjectsViewModel.h"

#include <QUuid>

void ProjectsViewModel::setStatusFilter(StatusFilter filter) {
    if (m_statusFilter == filter) return;
    m_statusFilter = filter;
    emit statusFilterChanged();
    updateFiltered();
}

void ProjectsViewModel::setStatusFilterText(const QString& key) {
    if (const std::optional<StatusFilter> filter = statusFilterFromKey(key)) setStatusFilter(*filter);
}

void ProjectsViewModel::toggleStatusFilter(const QString& key) {
    const std::optional<StatusFilter> filter = statusFilterFromKey(key);
    if (!filter) return;
    setStatusFilter(*filter == m_statusFilter ? StatusFilter::none : *filter);
}

void ProjectsViewModel::clearFilters() {
    setSearchText(QString());
    setSelectedTypeFilter(std::nullopt);
    setStatusFilter(StatusFilter::none);
    setHideNested(false);
}

bool ProjectsViewModel::clearLastFilter() {
    if (!m_searchText.isEmpty()) {
        setSearchText(QString());
        return true;
    }
    if (!filterActive()) return false;
    setSelectedTypeFilter(std::nullopt);
    setStatusFilter(StatusFilter::none);
    setHideNested(false);
    return true;
}

int ProjectsViewModel::attentionCount() const { return countAttention(m_projects); }

void ProjectsViewModel::fetchProject(const QString& id) {
    if (const std::optional<Project> project = findProject(id)) m_fetcher->start({*project});
}

void ProjectsViewModel::fetchAll() {
    if (m_fetcher->start(m_projects)) m_fetchingAll = true;
}

void ProjectsViewModel::fetchFinished(const QList<Project>& fetched) {
    if (std::exchange(m_fetchingAll, false)) {
        // The same summary as Pull All and Push All.
        QList<SyncOutcome> outcomes;
        for (const FetchResult& r : m_fetcher->lastResults()) outcomes.append(BulkGitActions::fetchOutcome(r));
        m_bulk->report(BulkGitActions::Action::fetch, fetched, outcomes);
        // Behind counts changed anywhere; the tree and graph marks follow a full scan.
        scanProjects();
        return;
    }
    for (const Project& project : fetched) refreshProject(project);
}
