#include "MindmapModel.h"

#include "ViewMath.h"
#include "ViewModelAccess.h"

MindmapModel::MindmapModel(QObject* parent) : QAbstractListModel(parent) {}

int MindmapModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant MindmapModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const int order = m_rows.at(index.row());
    const CachedGraphNode& node = m_graph.flatNodes.at(order);
    switch (role) {
    case NodeIdRole: return node.fullPath;
    case Qt::DisplayRole:
    case NameRole: return node.name;
    case LookRole:
        if (node.depth == 0) return Root;
        if (node.isDirectory) return Directory;
        return node.project ? ProjectNode : None;
    case CenterXRole: return node.position.x();
    case CenterYRole: return node.position.y();
    case OrderRole: return order;
    case DepthRole: return static_cast<int>(node.depth);
    case FolderColorRole: return viewmath::graphFolderColor(node.depth);
    case ProjectIdRole: return node.project ? node.project->id.toString(QUuid::WithoutBraces) : QString();
    case KindIconRole: return node.project ? projecttype::icon(node.project->type) : QString();
    case KindColorRole: return node.project ? projecttype::color(node.project->type) : QString();
    case BranchRole:
        if (node.project && node.project->gitBranch) return *node.project->gitBranch;
        return QVariant::fromValue(nullptr);
    case HasChangesRole: return node.project && node.project->hasUncommittedChanges;
    case HighlightedRole: return isHighlighted(node.fullPath);
    case DimmedRole: return isDimmed(node.fullPath);
    default: return {};
    }
}

QHash<int, QByteArray> MindmapModel::roleNames() const {
    return {
        {NodeIdRole, "nodeId"},
        {NameRole, "name"},
        {LookRole, "look"},
        {CenterXRole, "centerX"},
        {CenterYRole, "centerY"},
        {OrderRole, "order"},
        {DepthRole, "depth"},
        {FolderColorRole, "folderColor"},
        {ProjectIdRole, "projectId"},
        {KindIconRole, "kindIcon"},
        {KindColorRole, "kindColor"},
        {BranchRole, "branch"},
        {HasChangesRole, "hasChanges"},
        {HighlightedRole, "highlighted"},
        {DimmedRole, "dimmed"},
    };
}

void MindmapModel::setViewModel(QObject* viewModel) {
    if (m_viewModel == viewModel) return;
    if (m_viewModel) disconnect(m_viewModel, nullptr, this, nullptr);
    m_viewModel = viewModel;
    if (viewModel) vmaccess::onGraphDataChanged(viewModel, this, [this] { reloadFromViewModel(); });
    reloadFromViewModel();
    emit viewModelChanged();
}

void MindmapModel::reloadFromViewModel() {
    setGraphData(m_viewModel ? vmaccess::graphData(m_viewModel) : CachedGraphData{});
}

void MindmapModel::setGraphData(const CachedGraphData& data) {
    beginResetModel();
    m_graph = data;
    m_rows.clear();
    m_cullRect = QRectF();
    endResetModel();
    emit graphChanged();
    updateRows(true);
    emit countChanged();
}

void MindmapModel::setVisibleRect(const QRectF& rect) {
    if (rect == m_visibleRect) return;
    m_visibleRect = rect;
    emit visibleRectChanged();
    updateRows(false);
}

QList<int> MindmapModel::nodesIn(const QRectF& rect) const {
    QList<int> result;
    if (rect.isEmpty()) return result;
    const QList<CachedGraphNode>& nodes = m_graph.flatNodes;
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        if (rect.contains(nodes.at(i).position)) result.append(static_cast<int>(i));
    }
    return result;
}

void MindmapModel::updateRows(bool force) {
    // Rows change only when the shown part, widened by half the margin, leaves the area the
    // rows were made for: small pans cost nothing.
    const double half = cullMargin * 0.5;
    const QRectF needed = m_visibleRect.adjusted(-half, -half, half, half);
    if (!force && !m_visibleRect.isEmpty() && m_cullRect.contains(needed)) return;
    if (!force && m_visibleRect.isEmpty() && m_rows.isEmpty()) return;

    m_cullRect = m_visibleRect.isEmpty()
        ? QRectF()
        : m_visibleRect.adjusted(-cullMargin, -cullMargin, cullMargin, cullMargin);
    const QList<int> wanted = nodesIn(m_cullRect);
    if (wanted == m_rows) return;

    // Both lists are ascending: remove what is no longer wanted (back to front, in runs),
    // then insert what is new (front to back, in runs).
    const QSet<int> keep(wanted.cbegin(), wanted.cend());
    for (qsizetype i = m_rows.size() - 1; i >= 0;) {
        if (keep.contains(m_rows.at(i))) {
            --i;
            continue;
        }
        qsizetype first = i;
        while (first > 0 && !keep.contains(m_rows.at(first - 1))) --first;
        beginRemoveRows({}, static_cast<int>(first), static_cast<int>(i));
        m_rows.remove(first, i - first + 1);
        endRemoveRows();
        i = first - 1;
    }
    qsizetype at = 0;
    for (qsizetype w = 0; w < wanted.size();) {
        if (at < m_rows.size() && m_rows.at(at) == wanted.at(w)) {
            ++at;
            ++w;
            continue;
        }
        // wanted[w] is new: collect the run of new entries that go before m_rows[at].
        qsizetype end = w;
        while (end < wanted.size() && (at >= m_rows.size() || wanted.at(end) < m_rows.at(at))) ++end;
        beginInsertRows({}, static_cast<int>(at), static_cast<int>(at + (end - w) - 1));
        for (qsizetype k = w; k < end; ++k) m_rows.insert(at + (k - w), wanted.at(k));
        endInsertRows();
        at += end - w;
        w = end;
    }
    emit countChanged();
}

QString MindmapModel::tapNode(const QString& path) {
    const CachedGraphNode* node = m_graph.nodes.find(path);
    const QString projectId =
        node && node->project ? node->project->id.toString(QUuid::WithoutBraces) : QString();
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
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1), {HighlightedRole, DimmedRole});
    emit highlightChanged(cleared);
}
