#pragma once

#include <QAbstractListModel>
#include <QPointer>
#include <QQuickWindow>
#include <QRectF>
#include <QVector>
#include <QtQml/qqmlregistration.h>

// The square tiles the mindmap is drawn into, kTilePixels on screen each way, on a grid fixed
// to the canvas from the screen's corner at the time the grid starts. A tile is drawn once and then only moved while panning, so a pan draws just
// the tiles it brings in: those on screen at once, those in the ring around the screen one
// per frame, ahead of the pan. Tiles two rings away are let go. A change of scale starts the
// grid again.
// One role, "rect": the tile's rectangle in canvas points.
class MindmapTiles : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    // The part of the canvas on screen, in canvas points.
    Q_PROPERTY(QRectF visibleRect READ visibleRect WRITE setVisibleRect NOTIFY visibleRectChanged)
    // Screen points per canvas point.
    Q_PROPERTY(double pixelScale READ pixelScale WRITE setPixelScale NOTIFY pixelScaleChanged)
    // The canvas; no tile lies outside it.
    Q_PROPERTY(QSizeF canvasSize READ canvasSize WRITE setCanvasSize NOTIFY canvasSizeChanged)
    // The window whose frames pace the tiles drawn ahead.
    Q_PROPERTY(QQuickWindow* window READ window WRITE setWindow NOTIFY windowChanged)
    // The rectangle around the tiles that may be drawn next (those on screen and, once a
    // frame has shown them, the ring around it): what must be built.
    Q_PROPERTY(QRectF coveredRect READ coveredRect NOTIFY coveredRectChanged)
    // Counts restyle() calls: every tile drawn before the last one must be drawn again.
    Q_PROPERTY(int generation READ generation NOTIFY generationChanged)

public:
    static constexpr int kTilePixels = 512;

    explicit MindmapTiles(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QRectF visibleRect() const { return m_visible; }
    void setVisibleRect(const QRectF& rect);
    double pixelScale() const { return m_scale; }
    void setPixelScale(double scale);
    QSizeF canvasSize() const { return m_canvas; }
    void setCanvasSize(const QSizeF& size);
    QQuickWindow* window() const { return m_window; }
    void setWindow(QQuickWindow* window);
    QRectF coveredRect() const { return m_covered; }
    int generation() const { return m_generation; }

    // The drawing's look changed: the tiles on screen are to be drawn again, and the ones
    // around it are let go, to be drawn ahead again one per frame.
    Q_INVOKABLE void restyle();

    // Adds the next tile of the ring around the screen, if one is missing; called once per
    // frame shown. The frame after the covered rectangle or the look changed adds none.
    Q_INVOKABLE void addOneAhead();
    // The side of a tile in canvas points.
    double tileSide() const;
    // The rectangle of tile (column, row) in canvas points.
    QRectF tileRect(int column, int row) const;

signals:
    void visibleRectChanged();
    void pixelScaleChanged();
    void canvasSizeChanged();
    void windowChanged();
    void coveredRectChanged();
    void generationChanged();

private:
    struct Cell {
        int column = 0, row = 0;
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    // The cells that meet `rect` grown by `rings` tiles each way, inside the canvas, row by row.
    QVector<Cell> cellsAround(int rings) const;
    bool has(const Cell& cell) const { return m_cells.contains(cell); }
    void append(const Cell& cell);
    void keepOnly(const QVector<Cell>& kept);
    // Drops far tiles, adds the missing ones on screen, and notes the ring's missing ones.
    void refresh();
    void startAgain();
    void updateCovered();

    QRectF m_visible;
    QPointF m_origin;
    // No frame has shown the tiles since the grid started.
    bool m_fresh = true;
    bool m_restOneFrame = false;
    double m_scale = 1.0;
    QSizeF m_canvas;
    QPointer<QQuickWindow> m_window;
    QVector<Cell> m_cells;
    QVector<Cell> m_ahead;
    QRectF m_covered;
    int m_generation = 0;
};
