#include "state/ProjectListModel.h"

#include <QVariantList>

namespace {

QVariant optionalText(const std::optional<QString>& text) {
    return text ? QVariant(*text) : QVariant::fromValue(nullptr);
}

QVariantList remotesList(const QList<GitRemote>& remotes) {
    QVariantList list;
    list.reserve(remotes.size());
    for (const GitRemote& remote : remotes) {
        list.append(QVariantMap{
            {QStringLiteral("id"), remote.id.toString(QUuid::WithoutBraces)},
            {QStringLiteral("name"), remote.name},
            {QStringLiteral("url"), remote.url},
        });
    }
    return list;
}

QVariant roleValue(const Project& project, int role) {
    switch (role) {
    case Qt::DisplayRole:
    case ProjectListModel::NameRole: return project.name;
    case ProjectListModel::IdRole: return project.id.toString(QUuid::WithoutBraces);
    case ProjectListModel::PathRole: return project.pathText();
    case ProjectListModel::TypeRole: return projecttype::rawValue(project.type);
    case ProjectListModel::IconRole: return projecttype::icon(project.type);
    case ProjectListModel::ColorRole: return projecttype::color(project.type);
    case ProjectListModel::VersionRole: return optionalText(project.version);
    case ProjectListModel::LastModifiedRole:
        return project.lastModified ? QVariant(*project.lastModified) : QVariant::fromValue(nullptr);
    case ProjectListModel::LastModifiedTextRole: return project.lastModifiedText();
    case ProjectListModel::GitBranchRole: return optionalText(project.gitBranch);
    case ProjectListModel::RemotesRole: return remotesList(project.remotes);
    case ProjectListModel::HasUncommittedChangesRole: return project.hasUncommittedChanges;
    case ProjectListModel::HasGitRole: return project.hasGit;
    default: return QVariant();
    }
}

const QHash<int, QByteArray>& roles() {
    static const QHash<int, QByteArray> names = {
        {ProjectListModel::IdRole, "id"},
        {ProjectListModel::NameRole, "name"},
        {ProjectListModel::PathRole, "path"},
        {ProjectListModel::TypeRole, "type"},
        {ProjectListModel::IconRole, "icon"},
        {ProjectListModel::ColorRole, "color"},
        {ProjectListModel::VersionRole, "version"},
        {ProjectListModel::LastModifiedRole, "lastModified"},
        {ProjectListModel::LastModifiedTextRole, "lastModifiedText"},
        {ProjectListModel::GitBranchRole, "gitBranch"},
        {ProjectListModel::RemotesRole, "remotes"},
        {ProjectListModel::HasUncommittedChangesRole, "hasUncommittedChanges"},
        {ProjectListModel::HasGitRole, "hasGit"},
    };
    return names;
}

} // namespace

QVariantMap projectToVariantMap(const Project& project) {
    QVariantMap map;
    for (auto it = roles().cbegin(); it != roles().cend(); ++it) {
        map.insert(QString::fromLatin1(it.value()), roleValue(project, it.key()));
    }
    return map;
}

ProjectListModel::ProjectListModel(QObject* parent) : QAbstractListModel(parent) {}

int ProjectListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_projects.size());
}

QVariant ProjectListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.parent().isValid() || index.row() < 0 || index.row() >= m_projects.size()) {
        return QVariant();
    }
    return roleValue(m_projects.at(index.row()), role);
}

QHash<int, QByteArray> ProjectListModel::roleNames() const { return roles(); }

QVariantMap ProjectListModel::get(int row) const {
    if (row < 0 || row >= m_projects.size()) return QVariantMap();
    return projectToVariantMap(m_projects.at(row));
}

void ProjectListModel::setProjects(const QList<Project>& projects) {
    if (projects == m_projects) return;
    const bool countChanges = projects.size() != m_projects.size();
    beginResetModel();
    m_projects = projects;
    endResetModel();
    if (countChanges) emit countChanged();
}

void ProjectListModel::replaceRow(qsizetype row, const Project& project) {
    if (row < 0 || row >= m_projects.size()) return;
    m_projects[row] = project;
    const QModelIndex changed = index(int(row));
    emit dataChanged(changed, changed);
}
