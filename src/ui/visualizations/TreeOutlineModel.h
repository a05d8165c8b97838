#pragma once

#include "state/TreeData.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The always-expanded folder outline flattened into one row per node, in display order
// (a node, then its descendants), for a ListView that creates only the rows in view.
// Everything a row shows is computed once per build: its depth, folder colour, the number
// of projects in its subtree and the project's fields.
class TreeOutlineModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    // The ProjectsViewModel whose outline is shown; rows follow its treeDataChanged().
    Q_PROPERTY(QObject* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    Q_PROPERTY(bool ready READ isReady NOTIFY readyChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // Width of the widest row at zoom 1, without the outline's padding.
    Q_PROPERTY(double contentWidth READ contentWidth NOTIFY contentWidthChanged)

public:
    enum Role {
        NodeIdRole = Qt::UserRole + 1,
        NameRole,
        DepthRole,
        IsProjectRole,   // true when the row draws a project card
        HasChildrenRole,
        ProjectCountRole, // projects in the subtree, the node included
        FolderColorRole,  // colour name by depth
        ProjectIdRole,
        KindIconRole,
        KindColorRole,
        VersionRole,      // string, or null
        BranchRole,       // string, or null
        HasChangesRole,
        ActivityColorRole, // colour name of the activity dot
        ActivityTextRole,  // what the activity dot's colour means, for its tooltip
        NeedsAttentionRole, // the project's repository needs its owner's attention
        AttentionTextRole,  // why, in words, for the attention mark's tooltip ("" when not)
        StashTextRole,      // "1 stash", "" without stashes
    };
    Q_ENUM(Role)

    struct Row {
        QString nodeId;
        QString name;
        qint64 depth = 0;
        bool isProject = false;
        bool hasChildren = false;
        int projectCount = 0;
        QString folderColor;
        QString projectId;
        QString kindIcon;
        QString kindColor;
        std::optional<QString> version;
        std::optional<QString> branch;
        bool hasChanges = false;
        QString activityColor;
        QString activityText;
        bool needsAttention = false;
        QString attentionText;
        QString stashText;
    };

    explicit TreeOutlineModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QObject* viewModel() const { return m_viewModel; }
    void setViewModel(QObject* viewModel);

    // Replaces the rows with the outline of `data`; activity colours are graded against `now`.
    void setTreeData(const CachedTreeData& data, const QDateTime& now = QDateTime::currentDateTime());

    bool isReady() const { return m_ready; }
    int count() const { return static_cast<int>(m_rows.size()); }
    double contentWidth() const { return m_contentWidth; }
    const Row& row(int index) const { return m_rows.at(index); }

    // Row of the node with this id, or -1.
    Q_INVOKABLE int rowOf(const QString& nodeId) const;

    // The outline's zoom steps, for the view.
    Q_INVOKABLE double zoomIn(double scale) const;
    Q_INVOKABLE double zoomOut(double scale) const;
    Q_INVOKABLE double pinch(double lastScale, double magnification) const;
    // Ctrl + wheel: `steps` notches (120 units each) of 10 % each, clamped.
    Q_INVOKABLE double wheelZoom(double scale, double steps) const;
    Q_INVOKABLE QString zoomText(double scale) const;

    // "Needs attention: 2 modified, 1 commit to push" for a project that does; "".
    static QString attentionTooltip(const Project& project);

    // Indentation per depth level and the connector's width.
    static constexpr double indentWidth = 24.0;
    static constexpr double connectorWidth = 20.0;

signals:
    void viewModelChanged();
    void readyChanged();
    void countChanged();
    void contentWidthChanged();

private:
    void reloadFromViewModel();
    // The view model put a fresh record of the project at `path` in place.
    void updateProject(const QString& path);

    QPointer<QObject> m_viewModel;
    QList<Row> m_rows;
    bool m_ready = false;
    double m_contentWidth = 0;
};
