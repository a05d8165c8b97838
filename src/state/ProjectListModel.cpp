#include "state/ProjectListModel.h"

#include "model/Attention.h"
#include "state/SyncMap.h"
#include "model/RemoteUrl.h"
#include "state/DisplayText.h"

#include <QVariantList>
#include <algorithm>

namespace {

QVariant optionalText(const std::optional<QString>& text) {
    return text ? QVariant(displayText(*text)) : QVariant::fromValue(nullptr);
}

QVariantList remotesList(const QList<GitRemote>& remotes) {
    QVariantList list;
    list.reserve(remotes.size());
    for (const GitRemote& remote : remotes) {
        list.append(QVariantMap{
            {QStringLiteral("id"), remote.id.toString(QUuid::WithoutBraces)},
            {QStringLiteral("name"), displayText(remote.name)},
            // Shown without any password or token; "fullUrl" is the uncut location to copy.
            {QStringLiteral("url"), displayText(redactedUrl(remote.url))},
            {QStringLiteral("fullUrl"), redactedUrl(remote.url)},
        });
    }
    return list;
}

QVariant roleValue(const Project& project, int role) {
    switch (role) {
    case Qt::DisplayRole:
    case ProjectListModel::NameRole: return displayText(project.name);
    case ProjectListModel::IdRole: return project.id.toString(QUuid::WithoutBraces);
    case ProjectListModel::PathRole: return displayText(project.pathText());
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
    case ProjectListModel::NeedsAttentionRole: return needsAttention(project);
    case ProjectListModel::SyncRole: return syncToVariantMap(project);
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
        {ProjectListModel::NeedsAttentionRole, "needsAttention"},
        {ProjectListModel::SyncRole, "sync"},
    };
    return names;
}

} // namespace

QVariantMap projectToVariantMap(const Project& project) {
    QVariantMap map;
    for (auto it = roles().cbegin(); it != roles().cend(); ++it) {
        map.insert(QString::fromLatin1(it.value()), roleValue(project, it.key()));
    }
    // The actions' keys at the top as well (they are in "sync" too), for the buttons that read
    // a project map rather than a row.
    map.insert(syncActionsMap(project));
    return map;
}

ProjectListModel::ProjectListModel(QObject* parent) : QAbstractListModel(parent) {}

int ProjectListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant ProjectListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.parent().isValid() || index.row() < 0 || index.row() >= m_rows.size()) {
        return QVariant();
    }
    return roleValue(projectAt(index.row()), role);
}

QHash<int, QByteArray> ProjectListModel::roleNames() const { return roles(); }

QList<Project> ProjectListModel::projects() const {
    QList<Project> list;
    list.reserve(m_rows.size());
    for (qsizetype row : m_rows) list.append(m_source.at(row));
    return list;
}

QVariantMap ProjectListModel::get(int row) const {
    if (row < 0 || row >= m_rows.size()) return QVariantMap();
    return projectToVariantMap(projectAt(row));
}

bool ProjectListModel::setRows(const QList<Project>& source, const QList<qsizetype>& rows) {
    for (qsizetype row : rows) {
        if (row < 0 || row >= source.size()) return false;
    }
    // std::ranges::equal: QList's == hands memcmp a null pointer for two empty lists.
    bool same = std::ranges::equal(rows, m_rows);
    if (same && source.constData() != m_source.constData()) {
        for (qsizetype row : rows) {
            if (!(source.at(row) == m_source.at(row))) {
                same = false;
                break;
            }
        }
    }
    if (same) {
        m_source = source;
        return false;
    }
    const bool countChanges = rows.size() != m_rows.size();
    beginResetModel();
    m_source = source;
    m_rows = rows;
    endResetModel();
    if (countChanges) emit countChanged();
    return true;
}

void ProjectListModel::replaceSourceElement(const QList<Project>& source, qsizetype sourceIndex) {
    if (source.size() != m_source.size()) {
        setRows(source, m_rows);
        return;
    }
    m_source = source;
    const qsizetype row = m_rows.indexOf(sourceIndex);
    if (row < 0) return;
    const QModelIndex changed = index(int(row));
    emit dataChanged(changed, changed);
}

bool ProjectListModel::setProjects(const QList<Project>& projects) {
    QList<qsizetype> rows(projects.size());
    for (qsizetype i = 0; i < rows.size(); ++i) rows[i] = i;
    return setRows(projects, rows);
}
