#pragma once

#include "state/GraphNode.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The mindmap's nodes keyed by fullPath, iterating in the order the nodes were first inserted.
class GraphNodeMap {
public:
    qsizetype size() const { return m_nodes.size(); }
    bool isEmpty() const { return m_nodes.isEmpty(); }
    bool contains(const QString& path) const { return m_index.contains(path); }
    // Position of the node in insertion order, or -1.
    qsizetype indexOf(const QString& path) const { return m_index.value(path, -1); }
    // The node at `path`, or nullptr. The pointer is valid until the next insert.
    const CachedGraphNode* find(const QString& path) const;
    CachedGraphNode* find(const QString& path);

    // Adds a node under node.id, or replaces the node already stored there (keeping its place).
    // Returns its position in insertion order.
    qsizetype insert(const CachedGraphNode& node);
    // Adds a node whose id is not stored yet, at the end; returns its position.
    qsizetype append(CachedGraphNode&& node);
    void reserve(qsizetype count) {
        m_nodes.reserve(count);
        m_index.reserve(count);
    }

    // Keys and values in insertion order.
    QStringList keys() const;
    const QList<CachedGraphNode>& values() const { return m_nodes; }
    const CachedGraphNode& at(qsizetype index) const { return m_nodes.at(index); }
    CachedGraphNode& operator[](qsizetype index) { return m_nodes[index]; }

    QList<CachedGraphNode>::const_iterator begin() const { return m_nodes.cbegin(); }
    QList<CachedGraphNode>::const_iterator end() const { return m_nodes.cend(); }

    friend bool operator==(const GraphNodeMap& a, const GraphNodeMap& b) { return a.m_nodes == b.m_nodes; }

private:
    QList<CachedGraphNode> m_nodes;
    QHash<QString, qsizetype> m_index;
};
