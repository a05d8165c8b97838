#pragma once

#include "state/GraphData.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QRectF>
#include <QSet>
#include <QtQml/qqmlregistration.h>

// The mindmap's nodes for the node layer, and the highlight state of the view.
//
// Only the nodes near the part of the canvas that the viewport shows are rows of the model
// (`visibleRect`, in canvas coordinates), so that the view creates node items only for what
// can be seen; rows come and go as the user pans and zooms. Rows are in no particular order;
// `order` (the index in flatNodes) gives the drawing order and is used as z.
//
// With a `batchBudget` (milliseconds), rows out of reach are removed and new rows added
// nearest-to-the-centre first, only for that long at a time; the rest follows on
// later turns of the event loop, so that a dense graph fills in over a few frames instead of
// freezing one.
//
// The highlight is a node's line: its path, its ancestors by path text and its descendants.
class MindmapModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    // The ProjectsViewModel whose mindmap is shown; follows its graphDataChanged().
    Q_PROPERTY(QObject* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    Q_PROPERTY(bool ready READ isReady NOTIFY graphChanged)
    Q_PROPERTY(double canvasWidth READ canvasWidth NOTIFY graphChanged)
    Q_PROPERTY(double canvasHeight READ canvasHeight NOTIFY graphChanged)
    Q_PROPERTY(int nodeCount READ nodeCount NOTIFY graphChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QRectF visibleRect READ visibleRect WRITE setVisibleRect NOTIFY visibleRectChanged)
    Q_PROPERTY(QString highlightedNodeId READ highlightedNodeId NOTIFY highlightChanged)
    Q_PROPERTY(bool hasHighlight READ hasHighlight NOTIFY highlightChanged)
    Q_PROPERTY(int batchBudget READ batchBudget WRITE setBatchBudget NOTIFY batchBudgetChanged)
    // Nodes in reach of the view that are not rows yet, plus rows out of reach not yet removed.
    Q_PROPERTY(int pendingCount READ pendingCount NOTIFY countChanged)

public:
    enum Role {
        NodeIdRole = Qt::UserRole + 1,
        NameRole,
        LookRole,      // Look
        CenterXRole,
        CenterYRole,
        OrderRole,     // index in flatNodes
        DepthRole,
        FolderColorRole,
        ProjectIdRole,
        KindIconRole,
        KindColorRole,
        BranchRole,    // string, or null
        HasChangesRole,
        HighlightedRole,
        DimmedRole,
    };
    Q_ENUM(Role)

    enum Look { None, Root, Directory, ProjectNode };
    Q_ENUM(Look)

    explicit MindmapModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QObject* viewModel() const { return m_viewModel; }
    void setViewModel(QObject* viewModel);

    // Replaces the graph. The highlight is kept: paths that no longer exist match nothing.
    void setGraphData(const CachedGraphData& data);
    const CachedGraphData& graph() const { return m_graph; }

    bool isReady() const { return m_graph.isReady; }
    double canvasWidth() const { return m_graph.width; }
    double canvasHeight() const { return m_graph.height; }
    int nodeCount() const { return static_cast<int>(m_graph.flatNodes.size()); }
    int count() const { return static_cast<int>(m_rows.size()); }
    // The flatNodes index of each row.
    const QList<int>& rows() const { return m_rows; }
    int pendingCount() const { return static_cast<int>(m_pending.size() + m_stale.size()); }
    int batchBudget() const { return m_batchBudget; }
    void setBatchBudget(int milliseconds);

    QRectF visibleRect() const { return m_visibleRect; }
    void setVisibleRect(const QRectF& rect);

    QString highlightedNodeId() const { return m_highlightedNodeId; }
    bool hasHighlight() const { return !m_highlighted.isEmpty(); }
    const QSet<QString>& highlightedPaths() const { return m_highlighted; }
    // The set before the last change, for drawing the transition.
    const QSet<QString>& previousHighlightedPaths() const { return m_previousHighlighted; }

    // A tap on the node at `path`: highlights its line, or clears the highlight when the node
    // is the highlighted one. Returns the id of the node's project ("" for folders and the
    // root), which the caller selects.
    Q_INVOKABLE QString tapNode(const QString& path);
    // A tap on the empty canvas: clears the highlight.
    Q_INVOKABLE void tapBackground();
    Q_INVOKABLE bool isHighlighted(const QString& path) const { return m_highlighted.contains(path); }
    Q_INVOKABLE bool isDimmed(const QString& path) const {
        return !m_highlighted.isEmpty() && !m_highlighted.contains(path);
    }
    // Centre of the node at `path` on the canvas; (-1, -1) when there is none.
    Q_INVOKABLE QPointF nodePosition(const QString& path) const;

    // How far beyond the shown part of the canvas nodes are kept as rows.
    static constexpr double cullMargin = 400.0;

signals:
    void viewModelChanged();
    void graphChanged();
    void countChanged();
    void visibleRectChanged();
    // `cleared` is true when the highlight was removed, false when a new line was highlighted.
    void highlightChanged(bool cleared);
    void batchBudgetChanged();

private:
    void reloadFromViewModel();
    void setHighlight(const QString& nodeId, const QSet<QString>& paths, bool cleared);
    void updateRows(bool force);
    void addPending();
    void removeRows(const QSet<int>& indexes);
    QList<int> nodesIn(const QRectF& rect) const;

    QPointer<QObject> m_viewModel;
    CachedGraphData m_graph;
    QList<int> m_rows;
    QList<int> m_pending; // nearest first
    QList<int> m_stale;   // rows out of reach, still to be removed
    int m_batchBudget = 0;
    bool m_addScheduled = false;
    QRectF m_visibleRect;
    QRectF m_cullRect; // the area whose nodes are rows at present
    QString m_highlightedNodeId;
    QSet<QString> m_highlighted;
    QSet<QString> m_previousHighlighted;
};
