#pragma once

#include <QRectF>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// A uniform grid of square cells over a rectangle that tells which point indices lie in a block
// of cells, a word of 64 indices at a time. Each row of cells and each column of cells keeps a
// bit per index; the points of a block are the union of its rows' bits and'ed with the union of
// its columns' bits. Moving a point between cells flips a few bits. Points outside the rectangle
// are kept in its border cells, so blockAround() still finds them (with more company). Cell
// bounds are computed with monotonic floating-point steps, so a point whose coordinates differ
// from p's by less than the radius is always in blockAround(p, radius).
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
    qsizetype cellCount() const { return qsizetype(m_columns) * qsizetype(m_rows); }

    // Files every index i below `count` (at most `points`) with include[i] set into the cell
    // of (xs[i], ys[i]). Done once, on an empty grid.
    void fill(const double* xs, const double* ys, const std::uint8_t* include, qsizetype count);
    // Moves a filed index to the cell of its new position.
    void move(qsizetype index, double x, double y) {
        const std::int32_t column = cellOf(x, m_left, m_scale, m_columns);
        const std::int32_t row = cellOf(y, m_top, m_scale, m_rows);
        if (column != m_columnOf[size_t(index)]) refile(m_columnBits, m_columnOf, index, column);
        if (row != m_rowOf[size_t(index)]) refile(m_rowBits, m_rowOf, index, row);
    }

    // The cells holding every point whose coordinates both differ from (x, y) by less than
    // `radius`.
    Block blockAround(double x, double y, double radius) const {
        return Block{cellOf(x - radius, m_left, m_scale, m_columns), cellOf(y - radius, m_top, m_scale, m_rows),
                     cellOf(x + radius, m_left, m_scale, m_columns), cellOf(y + radius, m_top, m_scale, m_rows)};
    }
    Box safeCentres(const Block& block, double radius) const;

    // The number of words of 64 indices.
    size_t wordCount() const { return m_words; }

    // A block's rows and columns of cells, read a word at a time. A block around a point with a
    // radius no larger than the cells spans at most three cells each way, four allowing for
    // rounding; the lines it lacks read an empty line.
    static constexpr int kMaxLines = 4;
    struct Lines {
        const std::uint64_t* rows[kMaxLines];
        const std::uint64_t* columns[kMaxLines];
        // Bit b is set when index 64 w + b lies in the block.
        std::uint64_t word(size_t w) const {
            return (rows[0][w] | rows[1][w] | rows[2][w] | rows[3][w]) &
                   (columns[0][w] | columns[1][w] | columns[2][w] | columns[3][w]);
        }
    };
    // The lines of `block`. A wider or higher block has its rows or columns united into
    // `scratch` first, which the result then reads.
    Lines linesOf(const Block& block, std::vector<std::uint64_t>& scratch) const;

private:
    // Monotonic in `coordinate`: a difference, a product by a positive constant, clamping and
    // truncation of a non-negative value all keep order. Written to compile to min and max
    // without branches; a NaN gives 0.
    static std::int32_t cellOf(double coordinate, double origin, double scale, std::int32_t count) {
        const double cell = std::max(0.0, (coordinate - origin) * scale);
        return std::int32_t(std::min(cell, double(count - 1)));
    }
    // Moves `index` from its row (or column) to `line`.
    void refile(std::vector<std::uint64_t>& bits, std::vector<std::int32_t>& lineOf, qsizetype index, std::int32_t line);
    void set(std::vector<std::uint64_t>& bits, std::int32_t line, size_t index) {
        bits[size_t(line) * m_words + (index >> 6)] |= std::uint64_t(1) << (index & 63);
    }

    double m_left = 0, m_top = 0, m_scale = 1;
    std::int32_t m_columns = 1, m_rows = 1;
    // Words of index bits per row or column.
    size_t m_words = 1;
    // Row r's bits are m_rowBits[r * m_words ...], column c's m_columnBits[c * m_words ...].
    std::vector<std::uint64_t> m_rowBits, m_columnBits;
    // Words of an empty line.
    std::vector<std::uint64_t> m_empty;
    // Row and column of every index; -1 when not filed.
    std::vector<std::int32_t> m_rowOf, m_columnOf;
};
