#pragma once

#include "state/IndexSet.h"

#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <vector>

// A uniform grid of square cells over a rectangle, holding point indices. Points outside the
// rectangle are kept in its border cells, so blockAround() still finds them (with more company).
// Cell bounds are computed with monotonic floating-point steps, so a point whose coordinates
// differ from p's by less than the radius is always in blockAround(p, radius).
class OverlapGrid {
public:
    // A rectangle of cells, bounds included.
    struct Block {
        std::int32_t left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const Block&, const Block&) = default;
    };

    // Cells at least `cellSize` wide over `bounds` (non-finite bounds give a single cell).
    // There are never more than about maxCells(points) cells, however wide the rectangle:
    // a sparse drawing gets larger cells instead of memory for empty ones.
    OverlapGrid(double cellSize, const QRectF& bounds, qsizetype points);

    // The cell budget for `points` points: a few cells per point, at least 1024.
    static qsizetype maxCells(qsizetype points);
    qsizetype cellCount() const { return qsizetype(m_columns) * qsizetype(m_rows); }

    void insert(qsizetype index, QPointF position);
    // Moves an inserted index to its new position's cell.
    void move(qsizetype index, QPointF position);

    // The cells holding every point whose coordinates both differ from `position`'s by less
    // than `radius`.
    Block blockAround(QPointF position, double radius) const;
    // Adds the indices greater than `after` in the block to `into`.
    void gather(const Block& block, qsizetype after, IndexSet& into) const;
    // The same for the cells of `block` that are not in `known`.
    void gatherNew(const Block& block, const Block& known, qsizetype after, IndexSet& into) const;

private:
    static std::int32_t cellOf(double coordinate, double origin, double scale, std::int32_t count);
    void gatherCell(std::int32_t x, std::int32_t y, qsizetype after, IndexSet& into) const;
    std::int32_t cellOf(QPointF position) const;

    double m_left = 0, m_top = 0, m_scale = 1;
    std::int32_t m_columns = 1, m_rows = 1;
    // Each cell's indices, ascending; row after row.
    std::vector<std::vector<qsizetype>> m_cells;
    std::vector<std::int32_t> m_cellOfIndex;
};
