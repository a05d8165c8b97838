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

void OverlapGrid::blockWords(const Block& block, size_t from, std::uint64_t* into) const {
    // A block is at most three cells each way when the cells are no narrower than twice the
    // radius asked about, four allowing for rounding; the lines it lacks read an empty line.
    const std::uint64_t* rows[kMaxLines];
    const std::uint64_t* columns[kMaxLines];
    const std::int32_t height = block.bottom - block.top + 1, width = block.right - block.left + 1;
    if (height > kMaxLines || width > kMaxLines) {
        blockWordsOfAnySize(block, from, into);
        return;
    }
    for (std::int32_t k = 0; k < kMaxLines; ++k) {
        rows[k] = k < height ? m_rowBits.data() + size_t(block.top + k) * m_words : m_empty.data();
        columns[k] = k < width ? m_columnBits.data() + size_t(block.left + k) * m_words : m_empty.data();
    }
    for (size_t w = from; w < m_words; ++w) {
        into[w] = (rows[0][w] | rows[1][w] | rows[2][w] | rows[3][w]) &
                  (columns[0][w] | columns[1][w] | columns[2][w] | columns[3][w]);
    }
}

void OverlapGrid::blockWordsOfAnySize(const Block& block, size_t from, std::uint64_t* into) const {
    for (size_t w = from; w < m_words; ++w) {
        std::uint64_t rows = 0, columns = 0;
        for (std::int32_t row = block.top; row <= block.bottom; ++row) rows |= m_rowBits[size_t(row) * m_words + w];
        for (std::int32_t column = block.left; column <= block.right; ++column)
            columns |= m_columnBits[size_t(column) * m_words + w];
        into[w] = rows & columns;
    }
}
