#pragma once

#include "ViewMath.h"

#include <QList>
#include <QObject>
#include <QRectF>
#include <QVariantList>
#include <QSizeF>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The zoom and pan state of the Graph mode, shared by the mindmap (which pans) and the
// window's zoom panel (which zooms). Lives as long as the window, so the Graph mode comes
// back at the same place after other screens.
class GraphZoom : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double graphScale READ graphScale WRITE setGraphScale NOTIFY graphScaleChanged)
    Q_PROPERTY(QSizeF graphOffset READ graphOffset WRITE setGraphOffset NOTIFY graphOffsetChanged)
    Q_PROPERTY(QString percentText READ percentText NOTIFY graphScaleChanged)
    // The mindmap's viewport and canvas sizes and the box of its drawing (canvas points), set by
    // the mindmap, for reset() and fit().
    Q_PROPERTY(QSizeF viewportSize READ viewportSize WRITE setViewportSize NOTIFY sizesChanged)
    Q_PROPERTY(QSizeF canvasSize READ canvasSize WRITE setCanvasSize NOTIFY sizesChanged)
    Q_PROPERTY(QRectF drawingRect READ drawingRect WRITE setDrawingRect NOTIFY sizesChanged)
    // Rectangles over the viewport (the zoom panel, the match badge) that a fit keeps clear.
    Q_PROPERTY(QVariantList coveredRects READ coveredRects WRITE setCoveredRects NOTIFY sizesChanged)

public:
    static constexpr double initialScale = 0.5;
    static constexpr double step = 1.3;
    static constexpr double maximumScale = 3.0;
    static constexpr double minimumScale = 0.1;
    // Room left around the drawing by fit(), in screen points on each side.
    static constexpr double fitPadding = 24;

    explicit GraphZoom(QObject* parent = nullptr);

    double graphScale() const { return m_scale; }
    // Any finite positive value is taken as it is (the mindmap may set it); anything else
    // is ignored.
    void setGraphScale(double scale);
    QSizeF graphOffset() const { return m_offset; }
    // Finite offsets only.
    void setGraphOffset(const QSizeF& offset);

    // The scale as a whole percentage truncated toward zero: 0.845 -> "84%".
    QString percentText() const;
    static QString percentText(double scale);

    QSizeF viewportSize() const { return m_viewport; }
    void setViewportSize(const QSizeF& size);
    QSizeF canvasSize() const { return m_canvas; }
    void setCanvasSize(const QSizeF& size);
    QRectF drawingRect() const { return m_drawing; }
    void setDrawingRect(const QRectF& rect);
    QVariantList coveredRects() const;
    void setCoveredRects(const QVariantList& rects);

    // The zoom and offset that show `drawing` (canvas points; the whole canvas when empty) in
    // the viewport clear of the covered rectangles, at most at `maxScale`.
    viewmath::Fit fitted(const QRectF& drawing, double maxScale = maximumScale) const;

    // Scale x 1.3, at most 3.0.
    static double zoomedIn(double scale);
    // Scale / 1.3; 0.1 when that is 0.1 or less.
    static double zoomedOut(double scale);

    Q_INVOKABLE void zoomIn();
    Q_INVOKABLE void zoomOut();
    // The whole drawing in view, as when first shown.
    Q_INVOKABLE void reset();
    // The whole drawing in the viewport, centred.
    Q_INVOKABLE void fit();
    // `drawing` in the viewport, at most at `maxScale`. The fit is kept (also before the mindmap
    // is laid out) while the viewport, the drawing or what covers it changes, until the zoom or
    // the offset is set otherwise.
    Q_INVOKABLE void fitTo(const QRectF& drawing, double maxScale);
    // The wheel turned `steps` notches (positive zooms in) with the pointer at `point` of the
    // viewport: zooms by 10 % a notch within the limits, the point under the pointer staying put.
    Q_INVOKABLE void wheelAt(const QPointF& point, double steps);

private:
    void keepFitting();

signals:
    void graphScaleChanged();
    void graphOffsetChanged();
    void sizesChanged();

private:
    double m_scale = initialScale;
    QSizeF m_offset{0, 0};
    QSizeF m_viewport{0, 0};
    QSizeF m_canvas{0, 0};
    QRectF m_drawing;
    QList<QRectF> m_covered;
    // The fit being kept: its area (empty for the whole drawing) and largest zoom.
    bool m_keepFit = false;
    bool m_applying = false;
    QRectF m_fitArea;
    double m_fitMax = maximumScale;
};
