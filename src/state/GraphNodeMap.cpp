#include "state/GraphNodeMap.h"

const CachedGraphNode* GraphNodeMap::find(const QString& path) const {
    const auto it = m_index.constFind(path);
    return it == m_index.cend() ? nullptr : &m_nodes.at(*it);
}

CachedGraphNode* GraphNodeMap::find(const QString& path) {
    const auto it = m_index.constFind(path);
    return it == m_index.cend() ? nullptr : &m_nodes[*it];
}

qsizetype GraphNodeMap::insert(const CachedGraphNode& node) {
    const auto it = m_index.constFind(node.id);
    if (it != m_index.cend()) {
        m_nodes[*it] = node;
        return *it;
    }
    return append(CachedGraphNode(node));
}

qsizetype GraphNodeMap::append(CachedGraphNode&& node) {
    Q_ASSERT(!m_index.contains(node.id));
    const qsizetype index = m_nodes.size();
    m_index.insert(node.id, index);
    m_nodes.append(std::move(node));
    return index;
}

QStringList GraphNodeMap::keys() const {
    QStringList result;
    result.reserve(m_nodes.size());
    for (const CachedGraphNode& node : m_nodes) result.append(node.id);
    return result;
}
