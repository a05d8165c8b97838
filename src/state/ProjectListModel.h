#pragma once

#include "model/Project.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QVariantMap>

// The project map the views read: one entry per `Project` field plus the kind's display text,
// icon and colour. Optional fields are null when absent; an empty branch text is a value.
// Keys: id, name, path, type, icon, color, version, lastModified, lastModifiedText, gitBranch,
// remotes, hasUncommittedChanges, hasGit.
QVariantMap projectToVariantMap(const Project& project);

// A read-only list of projects for the views. Role names equal the project map's keys; the
// display role is the project's name.
class ProjectListModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        PathRole,
        TypeRole,
        IconRole,
        ColorRole,
        VersionRole,
        LastModifiedRole,
        LastModifiedTextRole,
        GitBranchRole,
        RemotesRole,
        HasUncommittedChangesRole,
        HasGitRole,
    };
    Q_ENUM(Role)

    explicit ProjectListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_projects.size()); }
    const QList<Project>& projects() const { return m_projects; }

    // The project map of one row; an empty map for a row out of range.
    Q_INVOKABLE QVariantMap get(int row) const;

    // Replaces the whole list; resets the model only when the list differs.
    void setProjects(const QList<Project>& projects);
    // Replaces the record in `row` and reports that row as changed.
    void replaceRow(qsizetype row, const Project& project);

signals:
    void countChanged();

private:
    QList<Project> m_projects;
};
