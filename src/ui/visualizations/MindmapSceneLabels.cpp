#include "LabelChoice.h"
#include "MindmapScene.h"

#include <algorithm>

// Which nodes carry their label, and where the labelled ones, drawn grown, are hit.

void MindmapScene::orderLabels(const MindmapModel& model) {
    // Label priority by subtree: the parent of each node from its parent's childIDs.
    const QList<CachedGraphNode>& nodes = model.graph().flatNodes;
    std::vector<int> parent(size_t(nodes.size()), -1);
    std::vector<qint64> depth(size_t(nodes.size()), 0);
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        depth[size_t(i)] = nodes.at(i).depth;
        for (const QString& child : nodes.at(i).childIDs)
            if (const int c = model.indexOf(child); c >= 0) parent[size_t(c)] = int(i);
    }
    m_order = labelchoice::priorityOrder(parent, depth);
    m_labelled.clear();
    m_choiceStale = true;
}

void MindmapScene::chooseLabels(const MindmapModel& model, double scale) {
    const size_t n = m_boxes.size();
    std::vector<labelchoice::Box> boxes(n);
    std::vector<std::uint8_t> tiers(n, labelchoice::Plain);
    const int selected = model.selectedIndex();
    for (size_t i = 0; i < n; ++i) {
        const NodeIndex::Entry& e = m_index.entry(int(i));
        boxes[i] = {e.centre, e.halfWidth, e.halfHeight};
        const mindmaplook::Box& b = m_boxes[i];
        const int index = int(i);
        if (b.look == MindmapModel::None) tiers[i] = labelchoice::Never;
        else if (b.look == MindmapModel::Root || index == selected) tiers[i] = labelchoice::Always;
        else if (model.highlightedAt(index) ||
                 (model.filterActive() && b.look == MindmapModel::ProjectNode && model.matchedAt(index)))
            tiers[i] = labelchoice::Preferred;
    }
    m_labelled = labelchoice::choose(boxes, tiers, m_order, scale);
    m_choiceScale = scale;
    m_choiceStale = false;
}

bool MindmapScene::labelled(int index, int hovered) const {
    return index == hovered || (index >= 0 && size_t(index) < m_labelled.size() && m_labelled[size_t(index)]);
}

double MindmapScene::growthOf(int index, int hovered) const {
    return labelled(index, hovered) ? labelchoice::growthAt(m_choiceScale) : 1.0;
}

QRectF MindmapScene::shownRect(int index, int hovered) const {
    if (index < 0 || index >= m_index.size()) return {};
    const NodeIndex::Entry& e = m_index.entry(index);
    const double g = growthOf(index, hovered);
    return QRectF(e.centre.x() - e.halfWidth * g, e.centre.y() - e.halfHeight * g, 2 * e.halfWidth * g,
                  2 * e.halfHeight * g);
}

int MindmapScene::nodeAt(QPointF point, int hovered) const {
    // Labelled nodes are drawn grown, so their boxes reach further than the index's.
    const double lift = labelchoice::growthAt(m_choiceScale);
    const double reach = lift > 1 ? double(std::max(m_maxHalfWidth, m_maxHalfHeight)) * (lift - 1) : 0;
    int best = -1;
    qint64 bestRank = -1;
    for (const int index : m_index.within(QRectF(point, QSizeF(0, 0)).adjusted(-reach, -reach, reach, reach))) {
        if (m_boxes[size_t(index)].look == MindmapModel::None) continue;
        if (!shownRect(index, hovered).contains(point)) continue;
        // The hovered node lies on top, then the labelled ones, then the later ones.
        const qint64 rank = qint64(index == hovered ? 2 : labelled(index, hovered) ? 1 : 0) * m_index.size() + index;
        if (rank > bestRank) {
            bestRank = rank;
            best = index;
        }
    }
    return best;
}

QRectF MindmapScene::bounds(const std::vector<int>& indices) const {
    QRectF united;
    for (const int index : indices) {
        if (index < 0 || size_t(index) >= m_boxes.size() || m_boxes[size_t(index)].look == MindmapModel::None) continue;
        const NodeIndex::Entry& e = m_index.entry(index);
        const QRectF r(e.centre.x() - e.halfWidth, e.centre.y() - e.halfHeight, 2 * e.halfWidth, 2 * e.halfHeight);
        united = united.isNull() ? r : united.united(r);
    }
    return united;
}
