// How records change in ProjectsViewModel between full scans: a refresh of one project, and
// projects that come, go or are read again. Every view's data follows from the one list.
#include "state/ProjectsViewModel.h"

#include "discovery/ProjectScanner.h"
#include "discovery/Utf8.h"
#include "state/ProjectListModel.h"
#include "state/VisualizationPatch.h"
#include "state/WhenFinished.h"

#include <QUuid>

namespace {

bool isInside(const QByteArray& path, const QByteArray& root) {
    if (path == root) return true;
    return path.startsWith(root) && (root.endsWith('/') || path.at(root.size()) == '/');
}

} // namespace

void ProjectsViewModel::refreshProject(const QString& id) {
    const std::optional<Project> project = findProject(id);
    if (!project) {
        emit refreshFinished(id);
        return;
    }
    refreshProject(*project);
}

void ProjectsViewModel::refreshProject(const Project& project) {
    const quint64 scans = m_scansApplied;
    ++m_refreshesRunning;
    // Manifests above the project (a Cargo workspace's) are read as far up as in a full scan.
    const QByteArray within = m_shownRoot.value_or(m_scanPath.value_or(QByteArray()));
    whenFinished(this, m_scanner.scanProjects(project.path, 0, within), [this, project, scans](const QFuture<QList<Project>>& future) {
        --m_refreshesRunning;
        // A full scan applied since read the folder later than this refresh did.
        if (scans == m_scansApplied) applyRefreshResult(project, future.resultCount() > 0 ? future.result() : QList<Project>());
        emit refreshFinished(project.id.toString(QUuid::WithoutBraces));
    });
}

void ProjectsViewModel::applyRefreshResult(const Project& old, const QList<Project>& found) {
    // Only a record of the list (or one a refresh replaced since) is refreshed; a project that
    // is gone or no longer a project leaves the list.
    const QUuid current = currentId(old.id);
    const bool listed = std::any_of(m_projects.cbegin(), m_projects.cend(),
                                    [&current](const Project& p) { return p.id == current; });
    if (!listed) return;
    if (found.isEmpty()) applyProjectChanges({}, {old.path});
    else applyProjectChanges({found.first()});
}

void ProjectsViewModel::applyProjectChanges(const QList<Project>& records, const QList<QByteArray>& removed) {
    QHash<QByteArray, qsizetype> indexOf;
    indexOf.reserve(m_projects.size());
    for (qsizetype i = 0; i < m_projects.size(); ++i) indexOf.insert(m_projects.at(i).path, i);

    QList<qsizetype> replaced;
    QList<Project> added;
    for (const Project& record : records) {
        const auto at = indexOf.constFind(record.path);
        if (at == indexOf.cend()) {
            if (m_shownRoot && isInside(record.path, *m_shownRoot)) added.append(record);
            continue;
        }
        const Project& old = m_projects.at(*at);
        m_replacedIds.insert(old.id, record.id);
        if (m_selected && m_selected->path == record.path) setSelection(record);
        m_projects[*at] = record;
        m_searchIndex.replace(*at, record);
        replaced.append(*at);
    }
    const QSet<QByteArray> gone(removed.cbegin(), removed.cend());
    const qsizetype before = m_projects.size();
    m_projects.removeIf([&gone](const Project& p) { return gone.contains(p.path); });
    const bool structural = !added.isEmpty() || m_projects.size() != before;
    if (replaced.isEmpty() && !structural) return;
    ++m_projectsRevision;

    if (structural) {
        m_projects.append(added);
        ProjectScanner::sortByName(m_projects);
        m_searchIndex.reset(m_projects);
        if (m_selected && gone.contains(m_selected->path)) setSelection(std::nullopt);
        emit projectsChanged();
        updateFiltered();
        rebuildVisualizations();
        return;
    }
    emit projectsChanged();
    updateFiltered(replaced);
    for (qsizetype index : replaced) {
        const Project& record = m_projects.at(index);
        const QString pathText = decodeUtf8KeepingBytes(record.path);
        vispatch::replaceRecord(m_treeData, pathText, record);
        vispatch::replaceRecord(m_graphData, pathText, record);
        emit projectUpdated(pathText);
    }
}

void ProjectsViewModel::syncVisualizationRecords() {
    for (const Project& record : m_projects) {
        const QString pathText = decodeUtf8KeepingBytes(record.path);
        vispatch::replaceRecord(m_treeData, pathText, record);
        vispatch::replaceRecord(m_graphData, pathText, record);
    }
}
