#include "NodeIndex.h"

#include <algorithm>
#include <cmath>

int NodeIndex::cellOf(double v, double origin, int count) const {
    const double cell = (v - origin) * m_scale;
    if (!(cell >= 0)) return 0; // also NaN
    if (cell >= double(count - 1)) return count - 1;
    return int(cell);
}

void NodeIndex::build(const std::vector<Entry>& entries, const QRectF& canvas, double cellSize) {
    m_entries = entries;
    m_maxHalfWidth = m_maxHalfHeight = 0;
    for (const Entry& e : entries) {
        m_maxHalfWidth = std::max(m_maxHalfWidth, e.halfWidth);
        m_maxHalfHeight = std::max(m_maxHalfHeight, e.halfHeight);
    }
    m_left = canvas.left();
    m_top = canvas.top();
    m_columns = m_rows = 1;
    m_scale = 1;
    const double budget = double(std::max<size_t>(entries.size() * 4, 64));
    const double w = canvas.width(), h = canvas.height();
    if (std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0 && cellSize > 0) {
        const double side = std::max(cellSize, std::sqrt(w * h / budget));
        m_scale = 1 / side;
        m_columns = int(std::min(4096.0, std::floor(w / side))) + 1;
        m_rows = int(std::min(4096.0, std::floor(h / side))) + 1;
    }
    // Counting sort of the nodes by cell; within a cell the indices stay ascending.
    const size_t cells = size_t(m_columns) * size_t(m_rows);
    std::vector<std::uint32_t> cellOfEntry(entries.size());
    m_cellStart.assign(cells + 1, 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        const QPointF c = entries[i].centre;
        cellOfEntry[i] = std::uint32_t(cellOf(c.y(), m_top, m_rows)) * std::uint32_t(m_columns) +
                         std::uint32_t(cellOf(c.x(), m_left, m_columns));
        ++m_cellStart[cellOfEntry[i] + 1];
    }
    for (size_t c = 0; c < cells; ++c) m_cellStart[c + 1] += m_cellStart[c];
    m_members.assign(entries.size(), 0);
    std::vector<std::uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (size_t i = 0; i < entries.size(); ++i) m_members[fill[cellOfEntry[i]]++] = int(i);
}

std::vector<int> NodeIndex::within(const QRectF& rect) const {
    std::vector<int> found;
    if (m_entries.empty() || !(rect.width() >= 0) || !(rect.height() >= 0)) return found;
    // A node's centre lies at most its half size outside the rectangle.
    const int x0 = cellOf(rect.left() - m_maxHalfWidth, m_left, m_columns);
    const int x1 = cellOf(rect.right() + m_maxHalfWidth, m_left, m_columns);
    const int y0 = cellOf(rect.top() - m_maxHalfHeight, m_top, m_rows);
    const int y1 = cellOf(rect.bottom() + m_maxHalfHeight, m_top, m_rows);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const size_t cell = size_t(y) * size_t(m_columns) + size_t(x);
            for (std::uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
                const Entry& e = m_entries[size_t(m_members[k])];
                if (std::abs(e.centre.x() - rect.center().x()) <= rect.width() / 2 + e.halfWidth &&
                    std::abs(e.centre.y() - rect.center().y()) <= rect.height() / 2 + e.halfHeight)
                    found.push_back(m_members[k]);
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

int NodeIndex::topmostAt(QPointF point, double growth) const {
    if (m_entries.empty()) return -1;
    const double reachX = m_maxHalfWidth * growth, reachY = m_maxHalfHeight * growth;
    const int x0 = cellOf(point.x() - reachX, m_left, m_columns), x1 = cellOf(point.x() + reachX, m_left, m_columns);
    const int y0 = cellOf(point.y() - reachY, m_top, m_rows), y1 = cellOf(point.y() + reachY, m_top, m_rows);
    int best = -1;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const size_t cell = size_t(y) * size_t(m_columns) + size_t(x);
            for (std::uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
                const int index = m_members[k];
                const Entry& e = m_entries[size_t(index)];
                if (index > best && e.halfWidth > 0 && std::abs(point.x() - e.centre.x()) <= e.halfWidth * growth &&
                    std::abs(point.y() - e.centre.y()) <= e.halfHeight * growth)
                    best = index;
            }
        }
    }
    return best;
}
