#include "state/OverlapGrid.h"

#include <cmath>

namespace {
// Enough rows and columns for any sensible drawing; a larger rectangle gets larger cells. Every
// row and column holds a bit per point, as does the band starting at it, so this also bounds the
// memory at 512 bytes per point.
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
        m_columnCount = std::int32_t(std::min(kMaxCellsPerSide, std::floor(bounds.width() / side))) + 1;
        m_rowCount = std::int32_t(std::min(kMaxCellsPerSide, std::floor(bounds.height() / side))) + 1;
    }
    const size_t count = size_t(std::max<qsizetype>(points, 0));
    m_words = count / 64 + 1;
    m_rows.reset(m_rowCount, m_words, count, m_top, 1 / m_scale);
    m_columns.reset(m_columnCount, m_words, count, m_left, 1 / m_scale);
}

void OverlapGrid::fill(const double* xs, const double* ys, const std::uint8_t* include, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        if (include[i]) move(i, xs[i], ys[i]);
    }
}

OverlapGrid::Lines OverlapGrid::unitedLinesOf(const Block& block, std::vector<std::uint64_t>& scratch) const {
    const bool tall = block.bottom - block.top >= LineSet::kBand;
    const bool wide = block.right - block.left >= LineSet::kBand;
    if (tall || wide) scratch.resize(2 * m_words);
    if (tall) m_rows.unite(block.top, block.bottom, scratch.data());
    if (wide) m_columns.unite(block.left, block.right, scratch.data() + m_words);
    return Lines{tall ? scratch.data() : m_rows.band(block.top),
                 wide ? scratch.data() + m_words : m_columns.band(block.left)};
}

void OverlapGrid::LineSet::reset(std::int32_t lines, size_t words, size_t indices, double origin, double side) {
    // Line l covers [origin + l side, origin + (l + 1) side) up to rounding, which is far below
    // the slack kept here.
    const auto edge = [&](std::int32_t line) {
        const double at = origin + double(line) * side;
        return std::pair(at, (std::abs(at) + side) * 1e-9);
    };
    m_low.resize(size_t(lines));
    m_high.resize(size_t(lines));
    for (std::int32_t line = 0; line < lines; ++line) {
        const auto [lowEdge, lowSlack] = edge(line);
        const auto [highEdge, highSlack] = edge(line + 1);
        m_low[size_t(line)] = line == 0 ? -qInf() : lowEdge + lowSlack;
        m_high[size_t(line)] = line == lines - 1 ? qInf() : highEdge - highSlack;
    }
    m_count = lines;
    m_words = words;
    m_bits.assign(size_t(lines) * words, 0);
    m_bands.assign(size_t(lines) * words, 0);
    m_lineOf.assign(indices, -1);
}

void OverlapGrid::LineSet::unite(std::int32_t first, std::int32_t last, std::uint64_t* into) const {
    std::fill_n(into, m_words, 0);
    for (std::int32_t line = first; line <= last; ++line) {
        const std::uint64_t* bits = m_bits.data() + size_t(line) * m_words;
        for (size_t w = 0; w < m_words; ++w) into[w] |= bits[w];
    }
}
