#pragma once

#include <QList>
#include <QPointF>

#include <cstdint>
#include <unordered_map>
#include <vector>

// A uniform grid of square cells, as wide as the search distance, holding point indices. Every
// point closer than that distance to p lies in blockAround(p), the cells (3 x 3) around p:
// floating-point rounding of the cell bounds is monotonic, so no close point falls outside.
class OverlapGrid {
public:
    // A rectangle of cells, bounds included.
    struct Block {
        std::int32_t left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const Block&, const Block&) = default;
    };

    explicit OverlapGrid(double distance) : m_cellSize(distance) {}

    void insert(qsizetype index, QPointF position);
    // Moves an inserted index to its new position's cell.
    void move(qsizetype index, QPointF position);

    // The cells holding every point closer than the distance to `position`.
    Block blockAround(QPointF position) const;
    // Replaces `out` with the indices greater than `after` in the block, ascending.
    void collect(const Block& block, qsizetype after, QList<qsizetype>& out) const;

private:
    std::int32_t cellOf(double coordinate) const;
    static std::uint64_t key(std::int32_t x, std::int32_t y);
    std::uint64_t keyOf(QPointF position) const;

    double m_cellSize;
    std::unordered_map<std::uint64_t, std::vector<qsizetype>> m_cells;
    std::vector<std::uint64_t> m_cellOfIndex;
};
