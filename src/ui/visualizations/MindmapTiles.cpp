#include "MindmapTiles.h"

#include <QQuickWindow>

#include <algorithm>
#include <cmath>

MindmapTiles::MindmapTiles(QObject* parent) : QAbstractListModel(parent) {}

int MindmapTiles::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_cells.size()); }

QVariant MindmapTiles::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_cells.size() || role != Qt::UserRole) return {};
    const Cell& cell = m_cells.at(index.row());
    return tileRect(cell.column, cell.row);
}

QHash<int, QByteArray> MindmapTiles::roleNames() const { return {{Qt::UserRole, "rect"}}; }

void MindmapTiles::setVisibleRect(const QRectF& rect) {
    if (rect == m_visible) return;
    m_visible = rect;
    // Until a frame shows the tiles, the grid may as well start again from the new corner.
    if (m_fresh) startAgain();
    else refresh();
    emit visibleRectChanged();
}

void MindmapTiles::setPixelScale(double scale) {
    if (!(scale > 0) || scale == m_scale) return;
    m_scale = scale;
    startAgain();
    emit pixelScaleChanged();
}

void MindmapTiles::setCanvasSize(const QSizeF& size) {
    if (size == m_canvas) return;
    m_canvas = size;
    startAgain();
    emit canvasSizeChanged();
}

void MindmapTiles::setWindow(QQuickWindow* window) {
    if (window == m_window) return;
    if (m_window) disconnect(m_window, nullptr, this, nullptr);
    m_window = window;
    // Emitted by the render thread: the tile is added on this object's thread, between frames.
    if (window) connect(window, &QQuickWindow::frameSwapped, this, &MindmapTiles::addOneAhead, Qt::QueuedConnection);
    emit windowChanged();
}

double MindmapTiles::tileSide() const { return kTilePixels / m_scale; }

QRectF MindmapTiles::tileRect(int column, int row) const {
    // Neighbours compute their shared edge the same way, so no gap opens between them.
    const double side = tileSide();
    const double left = m_origin.x() + column * side, top = m_origin.y() + row * side;
    return QRectF(left, top, m_origin.x() + (column + 1) * side - left, m_origin.y() + (row + 1) * side - top);
}

QVector<MindmapTiles::Cell> MindmapTiles::cellsAround(int rings) const {
    QVector<Cell> cells;
    const bool finite = std::isfinite(m_visible.left()) && std::isfinite(m_visible.top()) &&
                        std::isfinite(m_visible.width()) && std::isfinite(m_visible.height());
    if (!finite || m_visible.isEmpty() || !(m_canvas.width() > 0) || !(m_canvas.height() > 0)) return cells;
    const double side = tileSide();
    // Columns and rows of tiles that meet the canvas, and those that meet the screen.
    const int firstColumn = int(std::floor(-m_origin.x() / side));
    const int firstRow = int(std::floor(-m_origin.y() / side));
    const int lastColumn = int(std::ceil((m_canvas.width() - m_origin.x()) / side)) - 1;
    const int lastRow = int(std::ceil((m_canvas.height() - m_origin.y()) / side)) - 1;
    const auto clampTo = [](double value, int first, int last) { return int(std::clamp(value, double(first), double(last))); };
    const int left = clampTo(std::floor((m_visible.left() - m_origin.x()) / side) - rings, firstColumn, lastColumn);
    const int right = clampTo(std::floor((m_visible.right() - m_origin.x()) / side) + rings, firstColumn, lastColumn);
    const int top = clampTo(std::floor((m_visible.top() - m_origin.y()) / side) - rings, firstRow, lastRow);
    const int bottom = clampTo(std::floor((m_visible.bottom() - m_origin.y()) / side) + rings, firstRow, lastRow);
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column) cells.append({column, row});
    return cells;
}

void MindmapTiles::append(const Cell& cell) {
    beginInsertRows({}, int(m_cells.size()), int(m_cells.size()));
    m_cells.append(cell);
    endInsertRows();
}

void MindmapTiles::keepOnly(const QVector<Cell>& kept) {
    for (qsizetype i = m_cells.size() - 1; i >= 0; --i) {
        if (kept.contains(m_cells.at(i))) continue;
        beginRemoveRows({}, int(i), int(i));
        m_cells.removeAt(i);
        endRemoveRows();
    }
}

void MindmapTiles::refresh() {
    keepOnly(cellsAround(2));
    for (const Cell& cell : cellsAround(0))
        if (!has(cell)) append(cell);
    m_ahead.clear();
    for (const Cell& cell : cellsAround(1))
        if (!has(cell)) m_ahead.append(cell);
    updateCovered();
    // Nothing is drawn ahead before something is on screen to pace it.
    if (!m_ahead.isEmpty() && m_window) m_window->update();
}

void MindmapTiles::startAgain() {
    beginResetModel();
    m_cells.clear();
    // The grid starts at the screen's corner, so the fewest tiles cover the screen.
    m_origin = m_visible.isEmpty() ? QPointF() : m_visible.topLeft();
    m_fresh = true;
    endResetModel();
    refresh();
}

void MindmapTiles::restyle() {
    keepOnly(cellsAround(0));
    // While the look keeps changing (a fade runs), a tile drawn ahead would be let go at once.
    m_restOneFrame = true;
    ++m_generation;
    emit generationChanged();
    refresh();
}

void MindmapTiles::addOneAhead() {
    if (m_fresh) {
        m_fresh = false;
        updateCovered();
    }
    // A new covered rectangle means a new build in the coming frame: the next tile waits a
    // frame, so that the two costs fall on different frames.
    if (m_restOneFrame && !m_ahead.isEmpty()) {
        m_restOneFrame = false;
        if (m_window) m_window->update();
        return;
    }
    while (!m_ahead.isEmpty()) {
        const Cell cell = m_ahead.takeFirst();
        if (has(cell)) continue;
        append(cell);
        return;
    }
}

void MindmapTiles::updateCovered() {
    // Tiles farther out are drawn already and are let go before they would be drawn again.
    // Until the first frame is shown only the screen's tiles count, so that it builds no more.
    QRectF covered;
    for (const Cell& cell : cellsAround(m_fresh ? 0 : 1)) covered |= tileRect(cell.column, cell.row);
    if (covered == m_covered) return;
    m_covered = covered;
    m_restOneFrame = true;
    emit coveredRectChanged();
}
