#include "state/OverlapGrid.h"

#include <cmath>

namespace {
// Enough rows and columns for any sensible drawing; a larger rectangle gets larger cells. Every
// row and column holds a bit per point, so this also bounds the memory at 256 bytes per point.
constexpr double kMaxCellsPerSide = 1024;
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
        // s >= sqrt(w h / budget) and at most kMaxCellsPerSide per side that stays near the budget.
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
    const size_t count = size_t(std::max<qsizetype>(points, 0));
    m_words = count / 64 + 1;
    m_rowBits.assign(size_t(m_rows) * m_words, 0);
    m_columnBits.assign(size_t(m_columns) * m_words, 0);
    m_empty.assign(m_words, 0);
    m_rowOf.assign(count, -1);
    m_columnOf.assign(count, -1);
}

void OverlapGrid::fill(const double* xs, const double* ys, const std::uint8_t* include, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        if (!include[i]) continue;
        const std::int32_t column = cellOf(xs[i], m_left, m_scale, m_columns);
        const std::int32_t row = cellOf(ys[i], m_top, m_scale, m_rows);
        m_columnOf[size_t(i)] = column;
        m_rowOf[size_t(i)] = row;
        set(m_columnBits, column, size_t(i));
        set(m_rowBits, row, size_t(i));
    }
}

void OverlapGrid::refile(std::vector<std::uint64_t>& bits, std::vector<std::int32_t>& lineOf, qsizetype index,
                         std::int32_t line) {
    const size_t at = size_t(index);
    bits[size_t(lineOf[at]) * m_words + (at >> 6)] &= ~(std::uint64_t(1) << (at & 63));
    lineOf[at] = line;
    set(bits, line, at);
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

OverlapGrid::Lines OverlapGrid::linesOf(const Block& block, std::vector<std::uint64_t>& scratch) const {
    Lines lines;
    const auto take = [&](const std::vector<std::uint64_t>& bits, std::int32_t first, std::int32_t last,
                          const std::uint64_t** into, size_t scratchAt) {
        const std::int32_t count = last - first + 1;
        if (count <= kMaxLines) {
            for (std::int32_t k = 0; k < kMaxLines; ++k)
                into[k] = k < count ? bits.data() + size_t(first + k) * m_words : m_empty.data();
            return;
        }
        scratch.resize(2 * m_words);
        std::uint64_t* united = scratch.data() + scratchAt;
        std::fill_n(united, m_words, 0);
        for (std::int32_t line = first; line <= last; ++line) {
            const std::uint64_t* at = bits.data() + size_t(line) * m_words;
            for (size_t w = 0; w < m_words; ++w) united[w] |= at[w];
        }
        into[0] = united;
        for (std::int32_t k = 1; k < kMaxLines; ++k) into[k] = m_empty.data();
    };
    take(m_rowBits, block.top, block.bottom, lines.rows, 0);
    take(m_columnBits, block.left, block.right, lines.columns, m_words);
    return lines;
}
