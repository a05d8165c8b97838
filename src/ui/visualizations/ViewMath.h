#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>

class GraphNodeMap;

// Small pieces of arithmetic shared by the tree and mindmap views: palettes, zoom steps,
// highlight sets, centring and panning.
namespace viewmath {

// Folder colour of the outline: blue, indigo, purple, orange, green, teal by depth modulo 6.
QString treeFolderColor(qint64 depth);
// Folder colour of the mindmap: blue, purple, indigo, orange, green, teal, pink by depth modulo 7.
QString graphFolderColor(qint64 depth);

// Outline zoom limits and steps. Steps are added, not multiplied.
inline constexpr double treeMinScale = 0.3;
inline constexpr double treeMaxScale = 3.0;
double treeZoomIn(double scale);
double treeZoomOut(double scale);
// A pinch: the scale at the start of the gesture times the magnification, clamped.
double treePinch(double lastScale, double magnification);
// "120%": the integer part of scale x 100 and a percent sign.
QString zoomPercentText(double scale);

// Mindmap zoom limits (those of the window's zoom panel), used by Ctrl + wheel.
inline constexpr double graphMinScale = 0.1;
inline constexpr double graphMaxScale = 3.0;
double graphWheelZoom(double scale, double wheelSteps);

// The path-text ancestors of `path`: for /a/b/c that is /a/b and /a; a/b gives a; /a gives
// nothing. Derived from the text alone.
QStringList ancestorPaths(const QString& path);
// The highlight of node `path`: the path, its ancestors by path text and every descendant
// reachable through childIDs in `nodes`.
QSet<QString> highlightPaths(const QString& path, const GraphNodeMap& nodes);

// The mindmap canvas sits with its top-left corner at the viewport's origin, is scaled about
// its own centre and then moved by the offset. The first-appearance offset puts the canvas
// centre on the viewport centre; because scaling is about the canvas centre it does not
// depend on the scale.
QSizeF centringOffset(const QSizeF& viewport, const QSizeF& canvas);
// Canvas point -> viewport point and back, under that placement.
QPointF canvasToViewport(const QPointF& p, const QSizeF& canvas, double scale, const QSizeF& offset);
QPointF viewportToCanvas(const QPointF& p, const QSizeF& canvas, double scale, const QSizeF& offset);
// The offset after a zoom from `scale` to `newScale` that keeps the canvas point under `point`
// (viewport) where it is.
QSizeF zoomedOffsetAbout(const QPointF& point, const QSizeF& canvas, double scale, double newScale,
                         const QSizeF& offset);

// A zoom and an offset.
struct Fit {
    double scale = 1;
    QSizeF offset;
};
// The zoom (within minScale to maxScale) and offset that show `drawing` (canvas points, at
// least a point each way) as large as it fits, with `padding` around it, centred in the room
// the viewport leaves beside `covered` (viewport rectangles against its edges, such as a
// floating panel): the room ends above or below each of them, or beside it, whichever allows
// the larger zoom. Without room beside them the whole viewport is used.
Fit fitView(const QSizeF& viewport, const QRectF& drawing, const QSizeF& canvas, const QList<QRectF>& covered,
            double padding, double minScale, double maxScale);
// The part of the canvas that the viewport shows.
QRectF visibleCanvasRect(const QSizeF& viewport, const QSizeF& canvas, double scale,
                         const QSizeF& offset);

// Panning by drag: the offset follows lastOffset plus the drag's translation once the pointer
// has moved at least `threshold` points from the press; shorter movements are taps.
class DragPan {
public:
    explicit DragPan(double threshold = 10.0) : m_threshold(threshold) {}
    // Where the offset rests between drags (set by the first-appearance centring).
    void setRestingOffset(const QSizeF& offset) { m_lastOffset = offset; }
    QSizeF restingOffset() const { return m_lastOffset; }
    // Pointer moved by `translation` since the press. Returns true when the drag is active and
    // `offset` holds the new value.
    bool move(const QPointF& translation, QSizeF* offset);
    // Pointer released; the offset reached becomes the resting offset.
    void end(const QSizeF& offset);
    bool isActive() const { return m_active; }

private:
    double m_threshold;
    QSizeF m_lastOffset{0, 0};
    bool m_active = false;
};

} // namespace viewmath
