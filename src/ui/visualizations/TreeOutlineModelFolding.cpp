// The folds of the outline: which rows show, and folding and unfolding a node in place.
#include "TreeOutlineModel.h"

#include <algorithm>

int TreeOutlineModel::rowOf(const QString& nodeId) const {
    const qsizetype at = indexOf(nodeId);
    if (at < 0) return -1;
    const auto found = std::lower_bound(m_shown.cbegin(), m_shown.cend(), at);
    return found != m_shown.cend() && *found == at ? int(found - m_shown.cbegin()) : -1;
}

void TreeOutlineModel::setFolded(const QString& nodeId, bool folded) {
    const qsizetype at = indexOf(nodeId);
    if (at < 0 || !m_rows.at(at).hasChildren || m_folded.contains(nodeId) == folded) return;
    const int shownAt = rowOf(nodeId);
    if (folded) m_folded.insert(nodeId);
    else m_folded.remove(nodeId);
    const QList<qsizetype> shown = outlinefold::shownLines(m_lines, m_folded);
    // Only the node's own subtree comes or goes, right below its row.
    if (shownAt >= 0) {
        const int change = int(shown.size() - m_shown.size());
        if (change < 0) beginRemoveRows({}, shownAt + 1, shownAt - change);
        else if (change > 0) beginInsertRows({}, shownAt + 1, shownAt + change);
        m_shown = shown;
        if (change < 0) endRemoveRows();
        else if (change > 0) endInsertRows();
        if (change != 0) emit countChanged();
        emit dataChanged(index(shownAt), index(shownAt), {FoldedRole});
    } else {
        m_shown = shown;
    }
    emit foldedChanged();
}

int TreeOutlineModel::reveal(const QString& nodeId) {
    const qsizetype at = indexOf(nodeId);
    if (at < 0) return -1;
    for (const qsizetype above : outlinefold::ancestors(m_lines, at)) setFolded(m_rows.at(above).nodeId, false);
    return rowOf(nodeId);
}

void TreeOutlineModel::setFoldedIds(const QStringList& ids) {
    const QSet<QString> folded(ids.cbegin(), ids.cend());
    if (folded == m_folded) return;
    beginResetModel();
    m_folded = folded;
    m_shown = outlinefold::shownLines(m_lines, m_folded);
    endResetModel();
    emit countChanged();
    emit foldedChanged();
}

void TreeOutlineModel::foldAround(const QString& nodeId, bool fold) {
    const qsizetype at = indexOf(nodeId);
    if (at < 0) return;
    if (!fold) {
        setFolded(nodeId, false);
    } else if (m_rows.at(at).hasChildren && !isFolded(nodeId)) {
        setFolded(nodeId, true);
    } else if (const QList<qsizetype> chain = outlinefold::ancestors(m_lines, at); !chain.isEmpty()) {
        setFolded(m_rows.at(chain.last()).nodeId, true);
    }
}
