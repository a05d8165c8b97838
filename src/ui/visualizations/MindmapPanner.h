#pragma once

#include "ViewMath.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

// The mindmap viewport's panning state: the first-appearance centring and the drag that
// moves the window's graphOffset. The offset itself belongs to the window; this object
// computes the values the view writes there.
class MindmapPanner : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasInitialized READ hasInitialized NOTIFY hasInitializedChanged)
    Q_PROPERTY(QSizeF lastOffset READ lastOffset NOTIFY lastOffsetChanged)
    Q_PROPERTY(bool dragging READ isDragging NOTIFY draggingChanged)

public:
    explicit MindmapPanner(QObject* parent = nullptr);

    bool hasInitialized() const { return m_initialized; }
    QSizeF lastOffset() const { return m_pan.restingOffset(); }
    bool isDragging() const { return m_pan.isActive(); }

    // On the first call: the offset that centres the canvas in the viewport, which also
    // becomes the resting offset. Later calls return `current` unchanged.
    Q_INVOKABLE QSizeF initialize(const QSizeF& viewport, const QSizeF& canvas, const QSizeF& current);
    // The pointer moved `translation` since the press: the new offset once the movement has
    // reached 10 points, else undefined. A drag starts from `current`, the offset as it is
    // when the drag begins, so that a reset of the offset elsewhere is not undone by the
    // next drag.
    Q_INVOKABLE QVariant dragMoved(const QPointF& translation, const QSizeF& current);
    // The drag ended at `offset`.
    Q_INVOKABLE void dragEnded(const QSizeF& offset);

    // The canvas rectangle the viewport shows.
    Q_INVOKABLE QRectF visibleCanvasRect(const QSizeF& viewport, const QSizeF& canvas, double scale,
                                         const QSizeF& offset) const {
        return viewmath::visibleCanvasRect(viewport, canvas, scale, offset);
    }

signals:
    void hasInitializedChanged();
    void lastOffsetChanged();
    void draggingChanged();

private:
    viewmath::DragPan m_pan{10.0};
    bool m_initialized = false;
};
