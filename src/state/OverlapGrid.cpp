#include "state/OverlapGrid.h"

#include <algorithm>
#include <cmath>

namespace {
// Enough cells for any sensible drawing; a larger rectangle gets larger cells.
constexpr double kMaxCellsPerSide = 4096;
constexpr qsizetype kCellsPerPoint = 4;
constexpr qsizetype kMinCells = 1024;
} // namespace

qsizetype OverlapGrid::maxCells(qsizetype points) {
    const qsizetype limit = qsizetype(kMaxCellsPerSide * kMaxCellsPerSide);
    if (points >= limit / kCellsPerPoint) return limit;
    return std::max(kMinCells, std::max<qsizetype>(points, 0) * kCellsPerPoint);
}

OverlapGrid::OverlapGrid(double cellSize, const QRectF& bounds, qsizetype points) {
    const bool finite = std::isfinite(bounds.left()) && std::isfinite(bounds.top()) &&
                        std::isfinite(bounds.width()) && std::isfinite(bounds.height()) && cellSize > 0;
    if (finite) {
        // Square cells of side s over w x h give at most (w / s + 1) (h / s + 1) cells; with
        // s >= sqrt(w h / budget) and at most 4096 per side that stays near the budget.
        const double budget = double(maxCells(points));
        const double area = bounds.width() * bounds.height();
        const double spread = std::isfinite(area) ? std::sqrt(area / budget) : qInf();
        const double side = std::max({cellSize, spread, bounds.width() / kMaxCellsPerSide,
                                      bounds.height() / kMaxCellsPerSide});
        m_left = bounds.left();
        m_top = bounds.top();
        m_scale = 1 / side;
        m_columns = std::int32_t(std::min(kMaxCellsPerSide, std::floor(bounds.width() / side))) + 1;
        m_rows = std::int32_t(std::min(kMaxCellsPerSide, std::floor(bounds.height() / side))) + 1;
    }
    m_cells.resize(size_t(m_columns) * size_t(m_rows));
}

// Monotonic in `coordinate`: a difference, a product by a positive constant, clamping and
// truncation of a non-negative value all keep order.
std::int32_t OverlapGrid::cellOf(double coordinate, double origin, double scale, std::int32_t count) {
    const double cell = (coordinate - origin) * scale;
    if (!(cell >= 0)) return 0; // also NaN
    if (cell >= double(count - 1)) return count - 1;
    return std::int32_t(cell);
}

std::int32_t OverlapGrid::cellOf(QPointF position) const {
    return cellOf(position.y(), m_top, m_scale, m_rows) * m_columns + cellOf(position.x(), m_left, m_scale, m_columns);
}

void OverlapGrid::insert(qsizetype index, QPointF position) {
    if (m_cellOfIndex.size() <= size_t(index)) m_cellOfIndex.resize(size_t(index) + 1);
    const std::int32_t cell = cellOf(position);
    m_cellOfIndex[size_t(index)] = cell;
    std::vector<qsizetype>& indices = m_cells[size_t(cell)];
    indices.insert(std::lower_bound(indices.begin(), indices.end(), index), index);
}

void OverlapGrid::move(qsizetype index, QPointF position) {
    const std::int32_t cell = cellOf(position);
    std::int32_t& current = m_cellOfIndex[size_t(index)];
    if (cell == current) return;
    std::vector<qsizetype>& old = m_cells[size_t(current)];
    const auto it = std::lower_bound(old.begin(), old.end(), index);
    if (it != old.end() && *it == index) old.erase(it);
    current = cell;
    std::vector<qsizetype>& indices = m_cells[size_t(cell)];
    indices.insert(std::lower_bound(indices.begin(), indices.end(), index), index);
}

OverlapGrid::Block OverlapGrid::blockAround(QPointF position, double radius) const {
    return Block{cellOf(position.x() - radius, m_left, m_scale, m_columns),
                 cellOf(position.y() - radius, m_top, m_scale, m_rows),
                 cellOf(position.x() + radius, m_left, m_scale, m_columns),
                 cellOf(position.y() + radius, m_top, m_scale, m_rows)};
}

void OverlapGrid::gatherCell(std::int32_t x, std::int32_t y, qsizetype after, IndexSet& into) const {
    // Ascending: the wanted indices are a suffix, read from the back.
    const std::vector<qsizetype>& indices = m_cells[size_t(y) * size_t(m_columns) + size_t(x)];
    for (auto it = indices.rbegin(); it != indices.rend() && *it > after; ++it) into.add(*it);
}

void OverlapGrid::gather(const Block& block, qsizetype after, IndexSet& into) const {
    for (std::int32_t y = block.top; y <= block.bottom; ++y) {
        for (std::int32_t x = block.left; x <= block.right; ++x) gatherCell(x, y, after, into);
    }
}

void OverlapGrid::gatherNew(const Block& block, const Block& known, qsizetype after, IndexSet& into) const {
    for (std::int32_t y = block.top; y <= block.bottom; ++y) {
        const bool rowKnown = y >= known.top && y <= known.bottom;
        for (std::int32_t x = block.left; x <= block.right; ++x) {
            if (rowKnown && x >= known.left && x <= known.right) continue;
            gatherCell(x, y, after, into);
        }
    }
}
