#include "state/GraphNodeMap.h"

const CachedGraphNode* GraphNodeMap::find(const QString& path) const {
    const auto it = m_index.constFind(path);
    return it == m_index.cend() ? nullptr : &m_nodes.at(*it);
}

CachedGraphNode* GraphNodeMap::find(const QString& path) {
    const auto it = m_index.constFind(path);
    return it == m_index.cend() ? nullptr : &m_nodes[*it];
}

void GraphNodeMap::insert(const CachedGraphNode& node) {
    const auto it = m_index.constFind(node.id);
    if (it != m_index.cend()) {
        m_nodes[*it] = node;
        return;
    }
    m_index.insert(node.id, m_nodes.size());
    m_nodes.append(node);
}

QStringList GraphNodeMap::keys() const {
    QStringList result;
    result.reserve(m_nodes.size());
    for (const CachedGraphNode& node : m_nodes) result.append(node.id);
    return result;
}
