#include "MindmapModel.h"

#include "ViewMath.h"
#include "ViewModelAccess.h"
#include "state/VisualizationPatch.h"

MindmapModel::MindmapModel(QObject* parent) : QObject(parent) {}

MindmapModel::Look MindmapModel::lookOf(const CachedGraphNode& node) {
    if (node.depth == 0) return Root;
    if (node.isDirectory) return Directory;
    return node.project ? ProjectNode : None;
}

void MindmapModel::setViewModel(QObject* viewModel) {
    if (m_viewModel == viewModel) return;
    if (m_viewModel) disconnect(m_viewModel, nullptr, this, nullptr);
    m_viewModel = viewModel;
    if (viewModel) {
        vmaccess::onGraphDataChanged(viewModel, this, [this] { reloadFromViewModel(); });
        vmaccess::onProjectUpdated(viewModel, this, [this](const QString& path) { updateProject(path); });
        vmaccess::onFilterChanged(viewModel, this, [this] { reloadMatches(); });
        vmaccess::onSelectionChanged(viewModel, this,
                                     [this] { setSelectedPath(vmaccess::selectedProjectPath(m_viewModel)); });
    }
    m_selectedPath = vmaccess::selectedProjectPath(viewModel);
    m_filterActive = vmaccess::filterActive(viewModel);
    m_matchingPaths = m_filterActive ? vmaccess::matchingPaths(viewModel) : QSet<QString>();
    reloadFromViewModel();
    emit viewModelChanged();
}

void MindmapModel::reloadFromViewModel() {
    setGraphData(m_viewModel ? vmaccess::graphData(m_viewModel) : CachedGraphData{});
}

void MindmapModel::updateProject(const QString& path) {
    const int index = indexOf(path);
    if (index < 0 || !m_graph.flatNodes.at(index).project) return;
    const std::optional<Project> record = vmaccess::projectAtPath(m_viewModel, path);
    if (!record) return;
    // The view model's own graph holds the record already; this copy takes it the same way.
    vispatch::replaceRecord(m_graph, path, *record);
    emit nodeChanged(index);
}

void MindmapModel::reloadMatches() {
    const bool active = vmaccess::filterActive(m_viewModel);
    setMatches(active, active ? vmaccess::matchingPaths(m_viewModel) : QSet<QString>());
}

void MindmapModel::setGraphData(const CachedGraphData& data) {
    m_graph = data;
    m_indexOfPath.clear();
    m_indexOfProjectPath.clear();
    m_indexOfPath.reserve(m_graph.flatNodes.size());
    for (qsizetype i = 0; i < m_graph.flatNodes.size(); ++i) {
        const CachedGraphNode& node = m_graph.flatNodes.at(i);
        m_indexOfPath.insert(node.fullPath, static_cast<int>(i));
        if (node.project && !node.isDirectory) m_indexOfProjectPath.insert(node.project->pathText(), static_cast<int>(i));
    }
    m_flags.assign(size_t(m_graph.flatNodes.size()), 0);
    computeMatches();
    updateFlags(false);
    emit graphChanged();
    emit matchChanged();
}

void MindmapModel::setMatches(bool active, const QSet<QString>& paths) {
    if (active == m_filterActive && paths == m_matchingPaths) return;
    m_filterActive = active;
    m_matchingPaths = active ? paths : QSet<QString>();
    computeMatches();
    updateFlags(true);
    emit matchChanged();
}

void MindmapModel::computeMatches() {
    const QList<CachedGraphNode>& nodes = m_graph.flatNodes;
    // Deepest first (flatNodes is by depth), so a folder sees its children's result.
    std::vector<bool> matched(size_t(nodes.size()), !m_filterActive);
    m_projectNodeCount = 0;
    m_matchCount = 0;
    for (qsizetype i = nodes.size() - 1; i >= 0; --i) {
        const CachedGraphNode& node = nodes.at(i);
        if (node.project && !node.isDirectory) {
            ++m_projectNodeCount;
            const bool passes = !m_filterActive || m_matchingPaths.contains(node.project->pathText());
            matched[size_t(i)] = passes;
            m_matchCount += passes;
        }
        if (node.depth == 0) matched[size_t(i)] = true;
        if (!m_filterActive || !matched[size_t(i)]) continue;
        // Mark the parent (by path text) as leading to a match.
        const int slash = static_cast<int>(node.fullPath.lastIndexOf(QLatin1Char('/')));
        if (slash > 0) {
            const int parent = indexOf(node.fullPath.left(slash));
            if (parent >= 0) matched[size_t(parent)] = true;
        }
    }
    for (size_t i = 0; i < m_flags.size(); ++i) {
        if (matched[i]) m_flags[i] &= std::uint8_t(~Unmatched);
        else m_flags[i] |= Unmatched;
    }
}

void MindmapModel::updateFlags(bool keepPrevious) {
    const QList<CachedGraphNode>& nodes = m_graph.flatNodes;
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        std::uint8_t& f = m_flags[size_t(i)];
        const bool highlighted = m_highlighted.contains(nodes.at(i).fullPath);
        const bool dimmed = (!m_highlighted.isEmpty() && !highlighted) || (f & Unmatched);
        const bool was = keepPrevious ? bool(f & Dimmed) : dimmed;
        f = std::uint8_t((f & Unmatched) | (highlighted ? Highlighted : 0) | (dimmed ? Dimmed : 0) |
                         (was ? WasDimmed : 0));
    }
    emit flagsChanged();
}

void MindmapModel::setSelectedPath(const QString& path) {
    if (path == m_selectedPath) return;
    m_selectedPath = path;
    emit flagsChanged();
}

QString MindmapModel::matchText() const {
    if (!m_filterActive) return {};
    return tr("%1 of %2 match").arg(m_matchCount).arg(m_projectNodeCount);
}

bool MindmapModel::isDimmed(const QString& path) const {
    const int index = indexOf(path);
    if (index >= 0) return dimmedAt(index);
    return !m_highlighted.isEmpty() && !m_highlighted.contains(path);
}

QString MindmapModel::projectIdAt(const QString& path) const {
    const CachedGraphNode* node = path.isEmpty() ? nullptr : m_graph.nodes.find(path);
    if (!node || !node->project) return {};
    // The view model's record for that folder now; the node's copy may predate a refresh.
    const QString id = m_viewModel ? vmaccess::currentProjectId(m_viewModel, node->project->pathText()) : QString();
    return id.isEmpty() ? node->project->id.toString(QUuid::WithoutBraces) : id;
}

QString MindmapModel::tapNode(const QString& path) {
    const QString projectId = projectIdAt(path);
    if (!m_highlightedNodeId.isNull() && m_highlightedNodeId == path) {
        setHighlight(QString(), {}, true);
    } else {
        setHighlight(path, viewmath::highlightPaths(path, m_graph.nodes), false);
    }
    return projectId;
}

void MindmapModel::tapBackground() {
    if (m_highlightedNodeId.isNull() && m_highlighted.isEmpty()) return;
    setHighlight(QString(), {}, true);
}

QPointF MindmapModel::nodePosition(const QString& path) const {
    const CachedGraphNode* node = m_graph.nodes.find(path);
    return node ? node->position : QPointF(-1, -1);
}

void MindmapModel::setHighlight(const QString& nodeId, const QSet<QString>& paths, bool cleared) {
    m_previousHighlighted = m_highlighted;
    m_highlightedNodeId = nodeId;
    m_highlighted = paths;
    updateFlags(true);
    emit highlightChanged(cleared);
}
