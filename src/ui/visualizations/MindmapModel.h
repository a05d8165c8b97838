#pragma once

#include "state/GraphData.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <cstdint>
#include <vector>

// The mindmap's data and the view's highlight and search state.
//
// The highlight is a node's line: its path, its ancestors by path text and its descendants.
// While a search text or kind filter narrows the project list, project nodes whose project
// does not pass it are dimmed as well, and so are folders with no passing project below them.
// Per node (by its index in flatNodes) the model keeps whether it is dimmed now and whether
// it was before the last change, for the drawing of the transition.
class MindmapModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // The ProjectsViewModel whose mindmap is shown; follows its graph and its filter.
    Q_PROPERTY(QObject* viewModel READ viewModel WRITE setViewModel NOTIFY viewModelChanged)
    Q_PROPERTY(bool ready READ isReady NOTIFY graphChanged)
    Q_PROPERTY(double canvasWidth READ canvasWidth NOTIFY graphChanged)
    Q_PROPERTY(double canvasHeight READ canvasHeight NOTIFY graphChanged)
    Q_PROPERTY(int nodeCount READ nodeCount NOTIFY graphChanged)
    Q_PROPERTY(QString highlightedNodeId READ highlightedNodeId NOTIFY highlightChanged)
    Q_PROPERTY(bool hasHighlight READ hasHighlight NOTIFY highlightChanged)
    Q_PROPERTY(bool filterActive READ filterActive NOTIFY matchChanged)
    // Project nodes that pass the filter, of all project nodes.
    Q_PROPERTY(int matchCount READ matchCount NOTIFY matchChanged)
    Q_PROPERTY(int projectNodeCount READ projectNodeCount NOTIFY matchChanged)
    // "2 of 27 match" while a filter is active, else "".
    Q_PROPERTY(QString matchText READ matchText NOTIFY matchChanged)

public:
    enum Look { None, Root, Directory, ProjectNode };
    Q_ENUM(Look)

    explicit MindmapModel(QObject* parent = nullptr);

    QObject* viewModel() const { return m_viewModel; }
    void setViewModel(QObject* viewModel);

    // Replaces the graph. The highlight is kept: paths that no longer exist match nothing.
    void setGraphData(const CachedGraphData& data);
    const CachedGraphData& graph() const { return m_graph; }
    // Sets the filter state directly: `active`, and the path texts of the passing projects.
    void setMatches(bool active, const QSet<QString>& paths);

    bool isReady() const { return m_graph.isReady; }
    double canvasWidth() const { return m_graph.width; }
    double canvasHeight() const { return m_graph.height; }
    int nodeCount() const { return static_cast<int>(m_graph.flatNodes.size()); }
    static Look lookOf(const CachedGraphNode& node);

    QString highlightedNodeId() const { return m_highlightedNodeId; }
    bool hasHighlight() const { return !m_highlighted.isEmpty(); }
    const QSet<QString>& highlightedPaths() const { return m_highlighted; }
    // The set before the last change, for drawing the transition.
    const QSet<QString>& previousHighlightedPaths() const { return m_previousHighlighted; }

    bool filterActive() const { return m_filterActive; }
    int matchCount() const { return m_matchCount; }
    int projectNodeCount() const { return m_projectNodeCount; }
    QString matchText() const;

    // Per flatNodes index.
    bool highlightedAt(int index) const { return flag(index, Highlighted); }
    bool dimmedAt(int index) const { return flag(index, Dimmed); }
    bool wasDimmedAt(int index) const { return flag(index, WasDimmed); }
    // Passes the filter, or leads to a project that does (always while nothing filters).
    bool matchedAt(int index) const { return !flag(index, Unmatched); }
    // The flatNodes index of the node of the selected project, or -1.
    int selectedIndex() const { return m_indexOfProjectPath.value(m_selectedPath, -1); }
    // Selects by the project's path text (what the view model's selection names).
    void setSelectedPath(const QString& path);
    // The flatNodes index of the node at `path`, or -1.
    int indexOf(const QString& path) const { return m_indexOfPath.value(path, -1); }

    // A tap on the node at `path`: highlights its line, or clears the highlight when the node
    // is the highlighted one. Returns the id of the view model's record of the node's
    // project ("" for folders and the root), which the caller selects.
    Q_INVOKABLE QString tapNode(const QString& path);
    // The id of the view model's record of the project at `path`; "" for folders and the root.
    Q_INVOKABLE QString projectIdAt(const QString& path) const;
    // A tap on the empty canvas: clears the highlight.
    Q_INVOKABLE void tapBackground();
    Q_INVOKABLE bool isHighlighted(const QString& path) const { return m_highlighted.contains(path); }
    // Dimmed by the highlight (another line is highlighted) or by the filter.
    Q_INVOKABLE bool isDimmed(const QString& path) const;
    // Centre of the node at `path` on the canvas; (-1, -1) when there is none.
    Q_INVOKABLE QPointF nodePosition(const QString& path) const;

signals:
    void viewModelChanged();
    void graphChanged();
    // `cleared` is true when the highlight was removed, false when a new line was highlighted.
    void highlightChanged(bool cleared);
    void matchChanged();
    // Any change of the per-node flags (highlight, filter or graph).
    void flagsChanged();
    // The node at flatNodes `index` took a fresh record of its project; nothing moved.
    void nodeChanged(int index);

private:
    enum Flag : std::uint8_t { Highlighted = 1, Dimmed = 2, WasDimmed = 4, Unmatched = 8 };
    bool flag(int index, Flag f) const {
        return index >= 0 && size_t(index) < m_flags.size() && (m_flags[size_t(index)] & f);
    }
    void reloadFromViewModel();
    void reloadMatches();
    void updateProject(const QString& path);
    void setHighlight(const QString& nodeId, const QSet<QString>& paths, bool cleared);
    void computeMatches();
    // Recomputes Highlighted and Dimmed; WasDimmed takes the old Dimmed when `keepPrevious`.
    void updateFlags(bool keepPrevious);

    QPointer<QObject> m_viewModel;
    QString m_selectedPath;
    CachedGraphData m_graph;
    QHash<QString, int> m_indexOfPath;
    // Project nodes by their project's path text.
    QHash<QString, int> m_indexOfProjectPath;
    std::vector<std::uint8_t> m_flags;
    QString m_highlightedNodeId;
    QSet<QString> m_highlighted;
    QSet<QString> m_previousHighlighted;
    bool m_filterActive = false;
    QSet<QString> m_matchingPaths;
    int m_matchCount = 0;
    int m_projectNodeCount = 0;
};
