#pragma once

#include "OutlineFolding.h"
#include "state/TreeData.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The folder outline flattened into one row per node, in display order (a node, then its
// descendants), for a ListView that creates only the rows in view. A folded node hides its
// subtree; the folds are kept, by node path, when the outline is built again. Everything a row
// shows is computed once per build: its depth, folder colour, the number of projects in its
// subtree and the project's fields.
class TreeOutlineModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    // The ProjectsViewModel whose outline is shown; rows follow its treeDataChanged().
    Q_PROPERTY(QObject* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    Q_PROPERTY(bool ready READ isReady NOTIFY readyChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // Width of the widest row at zoom 1, without the outline's padding.
    Q_PROPERTY(double contentWidth READ contentWidth NOTIFY contentWidthChanged)
    // The paths of the folded nodes.
    Q_PROPERTY(QStringList foldedIds READ foldedIds WRITE setFoldedIds NOTIFY foldedChanged)

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
        FoldedRole,         // the node hides its subtree
        ActivityHollowRole, // the activity dot is a ring: no change for over a month, or unknown
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
        bool activityHollow = false;
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
    // Rows shown: those of folded subtrees are left out.
    int count() const { return static_cast<int>(m_shown.size()); }
    double contentWidth() const { return m_contentWidth; }
    const Row& row(int index) const { return m_rows.at(m_shown.at(index)); }

    // Row shown of the node with this id, or -1 (no such node, or inside a folded one).
    Q_INVOKABLE int rowOf(const QString& nodeId) const;

    // Folding. A node without children cannot be folded.
    Q_INVOKABLE bool isFolded(const QString& nodeId) const { return m_folded.contains(nodeId); }
    Q_INVOKABLE void setFolded(const QString& nodeId, bool folded);
    Q_INVOKABLE void toggleFolded(const QString& nodeId) { setFolded(nodeId, !isFolded(nodeId)); }
    // What Left (`fold`) and Right do on the line of the node: Right unfolds it; Left folds it
    // when it has children and is unfolded, else folds the folder it is in.
    Q_INVOKABLE void foldAround(const QString& nodeId, bool fold);
    // Unfolds every node above the node with this id; its row shown, or -1 when there is none.
    Q_INVOKABLE int reveal(const QString& nodeId);
    QStringList foldedIds() const { return QStringList(m_folded.cbegin(), m_folded.cend()); }
    void setFoldedIds(const QStringList& ids);

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
    void foldedChanged();

private:
    void reloadFromViewModel();
    // The view model put a fresh record of the project at `path` in place.
    void updateProject(const QString& path);

    // Every row, and its index: the node's path to its position in m_rows.
    qsizetype indexOf(const QString& nodeId) const { return m_index.value(nodeId, -1); }

    QPointer<QObject> m_viewModel;
    QList<Row> m_rows;
    QHash<QString, qsizetype> m_index;
    QList<outlinefold::Line> m_lines;
    QSet<QString> m_folded;
    // Positions in m_rows of the rows shown.
    QList<qsizetype> m_shown;
    bool m_ready = false;
    double m_contentWidth = 0;
};
