#include "MindmapModel.h"

#include "ViewMath.h"
#include "ViewModelAccess.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

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
    m_pending.clear();
    m_stale.clear();
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

void MindmapModel::setBatchBudget(int milliseconds) {
    if (m_batchBudget == milliseconds) return;
    m_batchBudget = std::max(milliseconds, 0);
    emit batchBudgetChanged();
    addPending();
}

void MindmapModel::updateRows(bool force) {
    // Rows change only when the shown part, widened by half the margin, leaves the area the
    // rows were made for (small pans cost nothing), or when that area has become far larger
    // than needed (after zooming in).
    const double half = cullMargin * 0.5;
    const QRectF needed = m_visibleRect.adjusted(-half, -half, half, half);
    const bool oversized = m_cullRect.width() > 1.5 * (m_visibleRect.width() + 2 * cullMargin) ||
                           m_cullRect.height() > 1.5 * (m_visibleRect.height() + 2 * cullMargin);
    if (!force && !m_visibleRect.isEmpty() && m_cullRect.contains(needed) && !oversized) return;
    if (!force && m_visibleRect.isEmpty() && m_rows.isEmpty() && m_pending.isEmpty()) return;

    m_cullRect = m_visibleRect.isEmpty()
        ? QRectF()
        : m_visibleRect.adjusted(-cullMargin, -cullMargin, cullMargin, cullMargin);
    const QList<int> wanted = nodesIn(m_cullRect);
    const QSet<int> keep(wanted.cbegin(), wanted.cend());

    // Rows out of reach go, and new ones come; with a budget both happen in groups, removals
    // first (fewer items to draw in the meantime).
    m_stale.clear();
    for (int index : std::as_const(m_rows))
        if (!keep.contains(index)) m_stale.append(index);

    // New rows, nearest to the middle of the view first.
    const QSet<int> present(m_rows.cbegin(), m_rows.cend());
    m_pending.clear();
    for (int index : wanted)
        if (!present.contains(index)) m_pending.append(index);
    const QPointF centre = m_visibleRect.center();
    auto distance = [&](int index) {
        const QPointF d = m_graph.flatNodes.at(index).position - centre;
        return d.x() * d.x() + d.y() * d.y();
    };
    std::stable_sort(m_pending.begin(), m_pending.end(), [&](int a, int b) { return distance(a) < distance(b); });
    addPending();
}

void MindmapModel::removeRows(const QSet<int>& indexes) {
    // Back to front, in runs of neighbouring rows.
    for (qsizetype i = m_rows.size() - 1; i >= 0;) {
        if (!indexes.contains(m_rows.at(i))) {
            --i;
            continue;
        }
        qsizetype first = i;
        while (first > 0 && indexes.contains(m_rows.at(first - 1))) --first;
        beginRemoveRows({}, static_cast<int>(first), static_cast<int>(i));
        m_rows.remove(first, i - first + 1);
        endRemoveRows();
        i = first - 1;
    }
}

void MindmapModel::addPending() {
    if (m_pending.isEmpty() && m_stale.isEmpty()) return;
    QElapsedTimer timer;
    timer.start();
    const bool budgeted = m_batchBudget > 0;
    auto spent = [&] { return budgeted && timer.elapsed() >= m_batchBudget; };

    // Without a budget everything happens at once; with one, small groups until it is spent.
    if (!budgeted) {
        removeRows(QSet<int>(m_stale.cbegin(), m_stale.cend()));
        m_stale.clear();
    }
    while (!m_stale.isEmpty() && !spent()) {
        const qsizetype n = std::min<qsizetype>(16, m_stale.size());
        removeRows(QSet<int>(m_stale.cbegin(), m_stale.cbegin() + n));
        m_stale.remove(0, n);
    }
    const qsizetype group = budgeted ? 8 : m_pending.size();
    qsizetype taken = 0;
    while (taken < m_pending.size() && !spent()) {
        const qsizetype n = std::min(group, m_pending.size() - taken);
        const int first = static_cast<int>(m_rows.size());
        beginInsertRows({}, first, first + static_cast<int>(n) - 1);
        for (qsizetype k = 0; k < n; ++k) m_rows.append(m_pending.at(taken + k));
        endInsertRows();
        taken += n;
    }
    m_pending.remove(0, taken);
    emit countChanged();
    if ((!m_pending.isEmpty() || !m_stale.isEmpty()) && !m_addScheduled) {
        // Leave room for a frame before the next group.
        m_addScheduled = true;
        QTimer::singleShot(16, this, [this] {
            m_addScheduled = false;
            addPending();
        });
    }
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
