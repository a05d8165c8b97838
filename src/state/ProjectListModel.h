#pragma once

#include "model/Project.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QVariantMap>

// The project map the views read: one entry per `Project` field plus the kind's display text,
// icon and colour. Optional fields are null when absent; an empty branch text is a value.
// Keys: id, name, path, type, icon, color, version, lastModified, lastModifiedText, gitBranch,
// remotes, hasUncommittedChanges, hasGit, needsAttention, sync (see SyncMap.h).
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
        NeedsAttentionRole,
        SyncRole,
    };
    Q_ENUM(Role)

    explicit ProjectListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_rows.size()); }
    // The projects shown, in row order.
    QList<Project> projects() const;
    // The positions in the source list of the projects shown.
    const QList<qsizetype>& rows() const { return m_rows; }
    // The project in `row`; `row` must be in range.
    const Project& projectAt(qsizetype row) const { return m_source.at(m_rows.at(row)); }

    // The project map of one row; an empty map for a row out of range.
    Q_INVOKABLE QVariantMap get(int row) const;

    // Shows the elements `rows` (ascending positions) of `source`. The model is reset only
    // when the projects shown differ; returns whether they did.
    bool setRows(const QList<Project>& source, const QList<qsizetype>& rows);
    // `source` differs from the shown source only in the element at `sourceIndex`, and the
    // rows stay the same: the row showing that element, if any, is reported as changed.
    void replaceSourceElement(const QList<Project>& source, qsizetype sourceIndex);
    // Convenience for a plain list: shows all of `projects`.
    bool setProjects(const QList<Project>& projects);

signals:
    void countChanged();

private:
    // Implicitly shared with the view model's list: showing a subset copies no project.
    QList<Project> m_source;
    QList<qsizetype> m_rows;
};
