#include "GraphZoom.h"

#include "ViewMath.h"

#include <QVariant>

#include <algorithm>
#include <cmath>

GraphZoom::GraphZoom(QObject* parent)
    : QObject(parent)
{
}

void GraphZoom::setGraphScale(double scale)
{
    if (!std::isfinite(scale) || scale <= 0)
        return;
    if (!m_applying)
        m_keepFit = false;
    if (scale == m_scale)
        return;
    m_scale = scale;
    emit graphScaleChanged();
}

void GraphZoom::setGraphOffset(const QSizeF& offset)
{
    if (!std::isfinite(offset.width()) || !std::isfinite(offset.height()))
        return;
    if (!m_applying)
        m_keepFit = false;
    if (offset == m_offset)
        return;
    m_offset = offset;
    emit graphOffsetChanged();
}

QString GraphZoom::percentText() const
{
    return percentText(m_scale);
}

QString GraphZoom::percentText(double scale)
{
    const double percent = std::trunc(scale * 100.0);
    if (!std::isfinite(percent) || std::fabs(percent) > 1e15)
        return QStringLiteral("0%");
    return QString::number(static_cast<long long>(percent)) + QLatin1Char('%');
}

double GraphZoom::zoomedIn(double scale)
{
    const double next = scale * step;
    return next > maximumScale ? maximumScale : next;
}

double GraphZoom::zoomedOut(double scale)
{
    const double next = scale / step;
    return next <= minimumScale ? minimumScale : next;
}

void GraphZoom::zoomIn()
{
    setGraphScale(zoomedIn(m_scale));
}

void GraphZoom::zoomOut()
{
    setGraphScale(zoomedOut(m_scale));
}

void GraphZoom::setViewportSize(const QSizeF& size)
{
    if (size == m_viewport || !std::isfinite(size.width()) || !std::isfinite(size.height()))
        return;
    m_viewport = size;
    emit sizesChanged();
    keepFitting();
}

void GraphZoom::setCanvasSize(const QSizeF& size)
{
    if (size == m_canvas || !std::isfinite(size.width()) || !std::isfinite(size.height()))
        return;
    m_canvas = size;
    emit sizesChanged();
    keepFitting();
}

void GraphZoom::setDrawingRect(const QRectF& rect)
{
    if (rect == m_drawing)
        return;
    m_drawing = rect;
    emit sizesChanged();
    keepFitting();
}

QVariantList GraphZoom::coveredRects() const
{
    QVariantList rects;
    for (const QRectF& r : m_covered)
        rects.append(r);
    return rects;
}

void GraphZoom::setCoveredRects(const QVariantList& rects)
{
    QList<QRectF> covered;
    for (const QVariant& r : rects)
        covered.append(r.toRectF());
    if (covered == m_covered)
        return;
    m_covered = covered;
    emit sizesChanged();
    keepFitting();
}

viewmath::Fit GraphZoom::fitted(const QRectF& drawing, double maxScale) const
{
    const QRectF area = drawing.isEmpty() ? QRectF(QPointF(0, 0), m_canvas) : drawing;
    return viewmath::fitView(m_viewport, area, m_canvas, m_covered, fitPadding, minimumScale,
                             std::min(maxScale, maximumScale));
}

void GraphZoom::reset()
{
    fit();
}

void GraphZoom::fit()
{
    fitTo(m_drawing, maximumScale);
}

void GraphZoom::fitTo(const QRectF& drawing, double maxScale)
{
    // An empty rectangle stands for the whole drawing, whatever it becomes.
    m_fitArea = drawing == m_drawing ? QRectF() : drawing;
    m_fitMax = maxScale;
    m_keepFit = true;
    keepFitting();
}

void GraphZoom::keepFitting()
{
    if (!m_keepFit || m_viewport.isEmpty() || m_canvas.isEmpty())
        return;
    const viewmath::Fit f = fitted(m_fitArea.isEmpty() ? m_drawing : m_fitArea, m_fitMax);
    m_applying = true;
    setGraphScale(f.scale);
    setGraphOffset(f.offset);
    m_applying = false;
}

void GraphZoom::wheelAt(const QPointF& point, double steps)
{
    const double scale = viewmath::graphWheelZoom(m_scale, steps);
    const QSizeF offset = viewmath::zoomedOffsetAbout(point, m_canvas, m_scale, scale, m_offset);
    setGraphScale(scale);
    setGraphOffset(offset);
}
