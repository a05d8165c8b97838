#include "state/OverlapGrid.h"

#include <algorithm>
#include <cmath>

namespace {
// Far-away coordinates share the outermost cells; that only adds candidates.
constexpr double kCellLimit = 1 << 29;
} // namespace

std::int32_t OverlapGrid::cellOf(double coordinate) const {
    double cell = std::floor(coordinate / m_cellSize);
    if (!(cell >= -kCellLimit)) cell = -kCellLimit; // also NaN
    if (cell > kCellLimit) cell = kCellLimit;
    return static_cast<std::int32_t>(cell);
}

std::uint64_t OverlapGrid::key(std::int32_t x, std::int32_t y) {
    return (std::uint64_t(std::uint32_t(x)) << 32) | std::uint32_t(y);
}

std::uint64_t OverlapGrid::keyOf(QPointF position) const {
    return key(cellOf(position.x()), cellOf(position.y()));
}

void OverlapGrid::insert(qsizetype index, QPointF position) {
    if (m_cellOfIndex.size() <= size_t(index)) m_cellOfIndex.resize(size_t(index) + 1);
    const std::uint64_t cell = keyOf(position);
    m_cellOfIndex[size_t(index)] = cell;
    m_cells[cell].push_back(index);
}

void OverlapGrid::move(qsizetype index, QPointF position) {
    const std::uint64_t cell = keyOf(position);
    std::uint64_t& current = m_cellOfIndex[size_t(index)];
    if (cell == current) return;
    std::vector<qsizetype>& old = m_cells[current];
    const auto it = std::find(old.begin(), old.end(), index);
    if (it != old.end()) {
        *it = old.back();
        old.pop_back();
    }
    current = cell;
    m_cells[cell].push_back(index);
}

OverlapGrid::Block OverlapGrid::blockAround(QPointF position) const {
    return Block{cellOf(position.x() - m_cellSize), cellOf(position.y() - m_cellSize),
                 cellOf(position.x() + m_cellSize), cellOf(position.y() + m_cellSize)};
}

void OverlapGrid::collect(const Block& block, qsizetype after, QList<qsizetype>& out) const {
    out.clear();
    for (std::int64_t x = block.left; x <= block.right; ++x) {
        for (std::int64_t y = block.top; y <= block.bottom; ++y) {
            const auto found = m_cells.find(key(std::int32_t(x), std::int32_t(y)));
            if (found == m_cells.end()) continue;
            for (qsizetype index : found->second) {
                if (index > after) out.append(index);
            }
        }
    }
    std::sort(out.begin(), out.end());
}
