#pragma once

#include <QObject>
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
    // The mindmap's viewport and canvas sizes, set by the mindmap, for reset() and fit().
    Q_PROPERTY(QSizeF viewportSize READ viewportSize WRITE setViewportSize NOTIFY sizesChanged)
    Q_PROPERTY(QSizeF canvasSize READ canvasSize WRITE setCanvasSize NOTIFY sizesChanged)

public:
    static constexpr double initialScale = 0.5;
    static constexpr double step = 1.3;
    static constexpr double maximumScale = 3.0;
    static constexpr double minimumScale = 0.1;
    // Room left around the drawing by fit(), in screen points on each side.
    static constexpr double fitPadding = 24;
    // The canvas's empty margin around the drawing, in canvas points on each side.
    static constexpr double canvasMargin = 200;

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

    // The scale at which the drawing (the canvas without its margin) fills the viewport
    // less the padding, within the zoom limits; the initial scale when either is empty.
    static double fitScale(const QSizeF& viewport, const QSizeF& canvas);

    // Scale x 1.3, at most 3.0.
    static double zoomedIn(double scale);
    // Scale / 1.3; 0.1 when that is 0.1 or less.
    static double zoomedOut(double scale);

    Q_INVOKABLE void zoomIn();
    Q_INVOKABLE void zoomOut();
    // Back to 50% with the canvas centred in the viewport, as when first shown.
    Q_INVOKABLE void reset();
    // The whole drawing in the viewport, centred.
    Q_INVOKABLE void fit();

signals:
    void graphScaleChanged();
    void graphOffsetChanged();
    void sizesChanged();

private:
    double m_scale = initialScale;
    QSizeF m_offset{0, 0};
    QSizeF m_viewport{0, 0};
    QSizeF m_canvas{0, 0};
};
