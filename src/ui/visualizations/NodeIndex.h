#pragma once

#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <vector>

// Where the mindmap's nodes are: a uniform grid over the canvas holding each node (by its
// index) in the cell of its centre, for hit tests and for finding what is on screen without
// a loop over every node. Each node's box is a half width and half height about its centre.
class NodeIndex {
public:
    struct Entry {
        QPointF centre;
        float halfWidth = 0, halfHeight = 0;
    };

    // Cells about `cellSize` wide over `canvas`, never more than a few per node.
    void build(const std::vector<Entry>& entries, const QRectF& canvas, double cellSize = 256);

    // Indices of the nodes whose box meets `rect`, ascending.
    std::vector<int> within(const QRectF& rect) const;
    // The node with the highest index whose box, grown by `growth` about its centre,
    // contains `point`; -1 when there is none.
    int topmostAt(QPointF point, double growth = 1.0) const;

    int size() const { return int(m_entries.size()); }
    const Entry& entry(int index) const { return m_entries[size_t(index)]; }

private:
    int cellOf(double v, double origin, int count) const;

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_cellStart; // per cell, into m_members; one extra at the end
    std::vector<int> m_members;
    double m_left = 0, m_top = 0, m_scale = 1;
    int m_columns = 1, m_rows = 1;
    float m_maxHalfWidth = 0, m_maxHalfHeight = 0;
};
