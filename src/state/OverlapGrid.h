#pragma once

#include "state/IndexSet.h"

#include <QRectF>

#include <algorithm>
#include <cstdint>
#include <vector>

// A uniform grid of square cells over a rectangle, holding point indices. Points outside the
// rectangle are kept in its border cells, so blockAround() still finds them (with more company).
// Cell bounds are computed with monotonic floating-point steps, so a point whose coordinates
// differ from p's by less than the radius is always in blockAround(p, radius).
//
// Every cell keeps its indices ascending in one shared buffer with room reserved up front, so
// moving a point between cells shifts a few entries and never allocates.
class OverlapGrid {
public:
    // A rectangle of cells, bounds included.
    struct Block {
        std::int32_t left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const Block&, const Block&) = default;
    };

    // Cells at least `cellSize` wide over `bounds` (non-finite bounds give a single cell), for
    // indices below `points`. There are never more than about maxCells(points) cells, however
    // wide the rectangle: a sparse drawing gets larger cells instead of memory for empty ones.
    OverlapGrid(double cellSize, const QRectF& bounds, qsizetype points);

    // The cell budget for `points` points: a few cells per point, at least 1024.
    static qsizetype maxCells(qsizetype points);
    qsizetype cellCount() const { return qsizetype(m_columns) * qsizetype(m_rows); }

    // Files every index i below `count` (at most `points`) with include[i] set into the cell
    // of (xs[i], ys[i]), leaving room in every cell for more. Done once, on an empty grid.
    void fill(const double* xs, const double* ys, const std::uint8_t* include, qsizetype count);
    // Moves an inserted index to the cell of its new position.
    void move(qsizetype index, double x, double y) {
        const std::int32_t cell = cellOf(x, y);
        if (cell != m_cellOfIndex[size_t(index)]) relocate(index, cell);
    }

    // The cells holding every point whose coordinates both differ from (x, y) by less than
    // `radius`.
    Block blockAround(double x, double y, double radius) const {
        return Block{cellOf(x - radius, m_left, m_scale, m_columns), cellOf(y - radius, m_top, m_scale, m_rows),
                     cellOf(x + radius, m_left, m_scale, m_columns), cellOf(y + radius, m_top, m_scale, m_rows)};
    }
    // The centres (x, y) with left <= x <= right and top <= y <= bottom, whose points closer than
    // `radius` in both coordinates all lie in `block`, with room to spare for rounding: a centre
    // inside needs no new blockAround(). Border cells reach out without end.
    struct Box {
        double left, top, right, bottom;
        bool holds(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    };
    Box safeCentres(const Block& block, double radius) const;
    // Adds the indices greater than `after` in the block to `into`.
    void gather(const Block& block, qsizetype after, IndexSet& into) const {
        for (std::int32_t y = block.top; y <= block.bottom; ++y) {
            for (std::int32_t x = block.left; x <= block.right; ++x) gatherCell(y * m_columns + x, after, into);
        }
    }
    // The same for the cells of `block` that are not in `known`.
    void gatherNew(const Block& block, const Block& known, qsizetype after, IndexSet& into) const;

private:
    // Monotonic in `coordinate`: a difference, a product by a positive constant, clamping and
    // truncation of a non-negative value all keep order. Written to compile to min and max
    // without branches; a NaN gives 0.
    static std::int32_t cellOf(double coordinate, double origin, double scale, std::int32_t count) {
        const double cell = std::max(0.0, (coordinate - origin) * scale);
        return std::int32_t(std::min(cell, double(count - 1)));
    }
    std::int32_t cellOf(double x, double y) const {
        return cellOf(y, m_top, m_scale, m_rows) * m_columns + cellOf(x, m_left, m_scale, m_columns);
    }
    void gatherCell(std::int32_t cell, qsizetype after, IndexSet& into) const {
        // Ascending: the wanted indices are a suffix, read from the back.
        const std::int32_t* first = m_members.data() + m_start[size_t(cell)];
        for (const std::int32_t* it = first + m_count[size_t(cell)]; it != first && it[-1] > after; --it)
            into.add(it[-1]);
    }
    void relocate(qsizetype index, std::int32_t cell);
    void insertInto(std::int32_t cell, std::int32_t index);
    // Gives `cell` room for one more index by taking the spare room of the nearest cell after
    // it that has some (there always is: the buffer ends with room for every point).
    void makeRoom(std::int32_t cell);

    double m_left = 0, m_top = 0, m_scale = 1;
    std::int32_t m_columns = 1, m_rows = 1;
    // Cell c holds m_members[m_start[c] .. m_start[c] + m_count[c]), ascending; room up to
    // m_start[c + 1]. Cells are row after row; one extra start closes the last one.
    std::vector<std::int32_t> m_members;
    std::vector<std::int32_t> m_start;
    std::vector<std::int32_t> m_count;
    std::vector<std::int32_t> m_cellOfIndex;
};
