#pragma once

#include <QRectF>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// A uniform grid of square cells over a rectangle that tells which point indices lie in a block
// of cells, a word of 64 indices at a time. Each row of cells and each column of cells keeps a
// bit per index; the points of a block are the union of its rows' bits and'ed with the union of
// its columns' bits. Every three adjacent rows (and columns) also keep their union, a band, so a
// block up to three cells high and wide is two words and'ed. Moving a point between cells flips
// a few bits. Points outside the rectangle are kept in its border cells, so blockAround() still
// finds them (with more company). Cell bounds are computed with monotonic floating-point steps,
// so a point whose coordinates differ from p's by less than the radius is always in
// blockAround(p, radius).
class OverlapGrid {
public:
    // A rectangle of cells, bounds included.
    struct Block {
        std::int32_t left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const Block&, const Block&) = default;
    };
    // The centres (x, y) with left <= x <= right and top <= y <= bottom, whose points closer than
    // the radius in both coordinates all lie in the block, with room to spare for rounding: a
    // centre inside needs no new blockAround(). Border cells reach out without end.
    struct Box {
        double left, top, right, bottom;
        bool holds(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    };

    // Cells at least `cellSize` wide over `bounds` (non-finite bounds give a single cell), for
    // indices below `points`. There are never more than about maxCells(points) cells nor more
    // than 1024 rows or columns, however wide the rectangle: a sparse drawing gets larger cells.
    OverlapGrid(double cellSize, const QRectF& bounds, qsizetype points);

    // The cell budget for `points` points: a few cells per point, at least 1024.
    static qsizetype maxCells(qsizetype points);
    qsizetype cellCount() const { return qsizetype(m_columnCount) * qsizetype(m_rowCount); }

    // Files every index i below `count` (at most `points`) with include[i] set into the cell
    // of (xs[i], ys[i]). Done once, on an empty grid.
    void fill(const double* xs, const double* ys, const std::uint8_t* include, qsizetype count);
    // Moves a filed index to the cell of its new position.
    void move(qsizetype index, double x, double y) {
        const std::int32_t column = cellOf(x, m_left, m_scale, m_columnCount);
        const std::int32_t row = cellOf(y, m_top, m_scale, m_rowCount);
        m_columns.move(size_t(index), column);
        m_rows.move(size_t(index), row);
    }

    // The cells holding every point whose coordinates both differ from (x, y) by less than
    // `radius`.
    Block blockAround(double x, double y, double radius) const {
        return Block{cellOf(x - radius, m_left, m_scale, m_columnCount), cellOf(y - radius, m_top, m_scale, m_rowCount),
                     cellOf(x + radius, m_left, m_scale, m_columnCount),
                     cellOf(y + radius, m_top, m_scale, m_rowCount)};
    }
    Box safeCentres(const Block& block, double radius) const {
        return Box{m_columns.low(block.left) + radius, m_rows.low(block.top) + radius,
                   m_columns.high(block.right) - radius, m_rows.high(block.bottom) - radius};
    }

    // The number of words of 64 indices.
    size_t wordCount() const { return m_words; }

    // A block's rows and columns of cells, read a word at a time.
    struct Lines {
        const std::uint64_t* rows;
        const std::uint64_t* columns;
        // Bit b is set when index 64 w + b lies in the block (or in a band around it).
        std::uint64_t word(size_t w) const { return rows[w] & columns[w]; }
    };
    // The lines of `block`: the bands starting at its first row and column (a few more cells
    // where the block is narrower than three). A block more than three cells high or wide has
    // its rows or columns united into `scratch` first, which the result then reads.
    Lines linesOf(const Block& block, std::vector<std::uint64_t>& scratch) const {
        if (block.bottom - block.top < LineSet::kBand && block.right - block.left < LineSet::kBand)
            return Lines{m_rows.band(block.top), m_columns.band(block.left)};
        return unitedLinesOf(block, scratch);
    }

private:
    Lines unitedLinesOf(const Block& block, std::vector<std::uint64_t>& scratch) const;
    // Monotonic in `coordinate`: a difference, a product by a positive constant, clamping and
    // truncation of a non-negative value all keep order. Written to compile to min and max
    // without branches; a NaN gives 0.
    static std::int32_t cellOf(double coordinate, double origin, double scale, std::int32_t count) {
        const double cell = std::max(0.0, (coordinate - origin) * scale);
        return std::int32_t(std::min(cell, double(count - 1)));
    }

    // The rows (or the columns) of cells: a bit per index in each line and in each band of
    // kBand lines, and every index's line.
    class LineSet {
    public:
        static constexpr std::int32_t kBand = 3;
        // Lines of cells from `origin` on, `side` wide.
        void reset(std::int32_t lines, size_t words, size_t indices, double origin, double side);
        // Below low(l) no point lies in line l, above high(l) none does, with room to spare for
        // rounding; the border lines reach out without end.
        double low(std::int32_t line) const { return m_low[size_t(line)]; }
        double high(std::int32_t line) const { return m_high[size_t(line)]; }
        std::int32_t count() const { return m_count; }
        // Files a filed index (or one not filed, line -1) under `line`.
        void move(size_t index, std::int32_t line) {
            if (line != m_lineOf[index]) refile(index, line);
        }
        const std::uint64_t* band(std::int32_t first) const { return m_bands.data() + size_t(first) * m_words; }
        // The union of lines first..last, into words.
        void unite(std::int32_t first, std::int32_t last, std::uint64_t* into) const;

    private:
        void refile(size_t index, std::int32_t line);
        std::int32_t m_count = 1;
        size_t m_words = 1;
        std::vector<std::uint64_t> m_bits, m_bands;
        std::vector<std::int32_t> m_lineOf;
        std::vector<double> m_low, m_high;
    };
    double m_left = 0, m_top = 0, m_scale = 1;
    std::int32_t m_columnCount = 1, m_rowCount = 1;
    // Words of index bits per line.
    size_t m_words = 1;
    LineSet m_rows, m_columns;
};

inline void OverlapGrid::LineSet::refile(size_t index, std::int32_t line) {
    // An index lies in one line, so a band holds it exactly when one of its lines does: the
    // bands are updated bit by bit like the lines. Band b unites lines b .. b + kBand - 1.
    const size_t w = index >> 6;
    const std::uint64_t bit = std::uint64_t(1) << (index & 63);
    if (const std::int32_t old = m_lineOf[index]; old >= 0) {
        m_bits[size_t(old) * m_words + w] &= ~bit;
        for (std::int32_t band = std::max(0, old - kBand + 1); band <= old; ++band)
            m_bands[size_t(band) * m_words + w] &= ~bit;
    }
    m_lineOf[index] = line;
    m_bits[size_t(line) * m_words + w] |= bit;
    for (std::int32_t band = std::max(0, line - kBand + 1); band <= line; ++band) m_bands[size_t(band) * m_words + w] |= bit;
}
