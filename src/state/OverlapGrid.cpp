#include "state/OverlapGrid.h"

#include <cmath>
#include <cstring>

namespace {
// Enough cells for any sensible drawing; a larger rectangle gets larger cells.
constexpr double kMaxCellsPerSide = 4096;
constexpr qsizetype kCellsPerPoint = 4;
constexpr qsizetype kMinCells = 1024;
// Spare room per cell beyond its first members; a full cell borrows from its neighbours.
constexpr std::int32_t kSpare = 2;
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
    m_cellOfIndex.assign(size_t(std::max<qsizetype>(points, 0)), -1);
    fill(nullptr, nullptr, nullptr, 0);
}

void OverlapGrid::fill(const double* xs, const double* ys, const std::uint8_t* include, qsizetype count) {
    // Each cell gets room for its members and a quarter more, plus kSpare; one more cell after
    // the last, never gathered, holds room for every point.
    const size_t cells = size_t(m_columns) * size_t(m_rows);
    m_count.assign(cells + 1, 0);
    for (qsizetype i = 0; i < count; ++i) {
        if (!include[i]) continue;
        const std::int32_t cell = cellOf(xs[i], ys[i]);
        m_cellOfIndex[size_t(i)] = cell;
        ++m_count[size_t(cell)];
    }
    m_start.assign(cells + 2, 0);
    for (size_t c = 0; c < cells; ++c) m_start[c + 1] = m_start[c] + m_count[c] + kSpare + m_count[c] / 4;
    m_start[cells + 1] = m_start[cells] + std::int32_t(m_cellOfIndex.size()) + 1;
    m_members.resize(size_t(m_start[cells + 1]));
    // Ascending indices, so each cell's members come out ascending.
    std::fill(m_count.begin(), m_count.end(), 0);
    for (qsizetype i = 0; i < count; ++i) {
        if (!include[i]) continue;
        const size_t cell = size_t(m_cellOfIndex[size_t(i)]);
        m_members[size_t(m_start[cell] + m_count[cell]++)] = std::int32_t(i);
    }
}

void OverlapGrid::relocate(qsizetype index, std::int32_t cell) {
    std::int32_t& current = m_cellOfIndex[size_t(index)];
    std::int32_t* first = m_members.data() + m_start[size_t(current)];
    std::int32_t* last = first + m_count[size_t(current)];
    std::int32_t* it = std::lower_bound(first, last, std::int32_t(index));
    std::memmove(it, it + 1, size_t(last - it - 1) * sizeof(std::int32_t));
    --m_count[size_t(current)];
    current = cell;
    insertInto(cell, std::int32_t(index));
}

void OverlapGrid::insertInto(std::int32_t cell, std::int32_t index) {
    const size_t c = size_t(cell);
    if (m_start[c] + m_count[c] == m_start[c + 1]) makeRoom(cell);
    std::int32_t* first = m_members.data() + m_start[c];
    std::int32_t* last = first + m_count[c];
    std::int32_t* it = std::lower_bound(first, last, index);
    std::memmove(it + 1, it, size_t(last - it) * sizeof(std::int32_t));
    *it = index;
    ++m_count[c];
}

void OverlapGrid::makeRoom(std::int32_t cell) {
    const auto spare = [this](size_t c) { return m_start[c + 1] - m_start[c] - m_count[c]; };
    const size_t lastCell = m_count.size() - 1;
    size_t donor = size_t(cell) + 1;
    while (donor <= lastCell && spare(donor) == 0) ++donor;
    if (donor <= lastCell) {
        // Every cell after `cell` up to the donor moves one place on.
        for (size_t c = donor; c > size_t(cell); --c) {
            std::int32_t* first = m_members.data() + m_start[c];
            std::memmove(first + 1, first, size_t(m_count[c]) * sizeof(std::int32_t));
            ++m_start[c];
        }
        return;
    }
    // All the spare room lies before `cell`: those cells move one place back.
    donor = size_t(cell);
    while (spare(--donor) == 0) {}
    for (size_t c = donor + 1; c <= size_t(cell); ++c) {
        std::int32_t* first = m_members.data() + m_start[c];
        std::memmove(first - 1, first, size_t(m_count[c]) * sizeof(std::int32_t));
        --m_start[c];
    }
}

void OverlapGrid::gatherNew(const Block& block, const Block& known, qsizetype after, IndexSet& into) const {
    // The rows of `block` that `known` shares lose the columns `known` covers; the others are
    // taken whole.
    const std::int32_t sharedTop = std::max(block.top, known.top);
    const std::int32_t sharedBottom = std::min(block.bottom, known.bottom);
    const std::int32_t skipLeft = std::max(block.left, known.left);
    const std::int32_t skipRight = std::min(block.right, known.right);
    const auto gatherRow = [&](std::int32_t y, std::int32_t left, std::int32_t right) {
        for (std::int32_t x = left; x <= right; ++x) gatherCell(y * m_columns + x, after, into);
    };
    for (std::int32_t y = block.top; y <= block.bottom; ++y) {
        if (y < sharedTop || y > sharedBottom || skipLeft > skipRight) {
            gatherRow(y, block.left, block.right);
            continue;
        }
        gatherRow(y, block.left, skipLeft - 1);
        gatherRow(y, skipRight + 1, block.right);
    }
}

OverlapGrid::Box OverlapGrid::safeCentres(const Block& block, double radius) const {
    // Cell c covers [origin + c side, origin + (c + 1) side) up to rounding, which is far below
    // the slack kept here.
    const double side = 1 / m_scale;
    const auto low = [&](double origin, std::int32_t cell) {
        if (cell == 0) return -qInf();
        const double edge = origin + double(cell) * side;
        return edge + radius + (std::abs(edge) + side) * 1e-9;
    };
    const auto high = [&](double origin, std::int32_t cell, std::int32_t count) {
        if (cell == count - 1) return qInf();
        const double edge = origin + double(cell + 1) * side;
        return edge - radius - (std::abs(edge) + side) * 1e-9;
    };
    return Box{low(m_left, block.left), low(m_top, block.top), high(m_left, block.right, m_columns),
               high(m_top, block.bottom, m_rows)};
}
