// The selection of ProjectsViewModel: finding a project by its id, following the ids of records
// that a refresh replaced, and the selected record as the views read it.
#include "state/ProjectsViewModel.h"

#include "state/ProjectListModel.h"

#include <QUuid>

std::optional<Project> ProjectsViewModel::findProject(const QString& id) const {
    const QUuid uuid = QUuid::fromString(id);
    if (uuid.isNull()) return std::nullopt;
    for (const Project& project : m_projects) {
        if (project.id == uuid) return project;
    }
    if (m_selected && m_selected->id == uuid) return m_selected;
    return std::nullopt;
}

void ProjectsViewModel::setSelection(const std::optional<Project>& project) {
    if (m_selected == project) return;
    m_selected = project;
    saveSelection();
    emit selectedProjectChanged();
    emit selectedRowChanged();
}

QVariantMap ProjectsViewModel::selectedProject() const {
    return m_selected ? projectMap(*m_selected) : QVariantMap();
}

QString ProjectsViewModel::selectedProjectId() const {
    return m_selected ? m_selected->id.toString(QUuid::WithoutBraces) : QString();
}

QUuid ProjectsViewModel::currentId(const QUuid& id) const {
    QUuid current = id;
    // Each refresh adds one link; the bound guards against a cycle.
    for (qsizetype step = 0; step <= m_replacedIds.size(); ++step) {
        const auto next = m_replacedIds.constFind(current);
        if (next == m_replacedIds.constEnd()) break;
        current = *next;
    }
    return current;
}

void ProjectsViewModel::selectProject(const QString& id) {
    if (id.isEmpty()) {
        setSelection(std::nullopt);
        return;
    }
    const QUuid uuid = QUuid::fromString(id);
    if (uuid.isNull()) return;
    const QString current = currentId(uuid).toString(QUuid::WithoutBraces);
    if (!matchesFilters(current)) return;
    if (const std::optional<Project> project = findProject(current)) setSelection(project);
}

int ProjectsViewModel::selectedRow() const {
    if (!m_selected) return -1;
    for (int row = 0; row < m_filteredModel->count(); ++row) {
        if (m_filteredModel->projectAt(row).id == m_selected->id) return row;
    }
    return -1;
}

QVariantMap ProjectsViewModel::projectById(const QString& id) const {
    const QUuid uuid = QUuid::fromString(id);
    if (uuid.isNull()) return QVariantMap();
    const std::optional<Project> project = findProject(currentId(uuid).toString(QUuid::WithoutBraces));
    return project ? projectMap(*project) : QVariantMap();
}

bool ProjectsViewModel::selectProjectByPath(const QString& path) {
    const QByteArray bytes = path.toUtf8();
    for (const Project& project : m_projects) {
        if (project.path != bytes) continue;
        if (!matchesFilters(project.id.toString(QUuid::WithoutBraces))) return false;
        setSelection(project);
        return true;
    }
    return false;
}
