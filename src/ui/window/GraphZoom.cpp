#include "GraphZoom.h"

#include "ViewMath.h"

#include <algorithm>
#include <cmath>

GraphZoom::GraphZoom(QObject* parent)
    : QObject(parent)
{
}

void GraphZoom::setGraphScale(double scale)
{
    if (!std::isfinite(scale) || scale <= 0 || scale == m_scale)
        return;
    m_scale = scale;
    emit graphScaleChanged();
}

void GraphZoom::setGraphOffset(const QSizeF& offset)
{
    if (!std::isfinite(offset.width()) || !std::isfinite(offset.height()) || offset == m_offset)
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
}

void GraphZoom::setCanvasSize(const QSizeF& size)
{
    if (size == m_canvas || !std::isfinite(size.width()) || !std::isfinite(size.height()))
        return;
    m_canvas = size;
    emit sizesChanged();
}

double GraphZoom::fitScale(const QSizeF& viewport, const QSizeF& canvas)
{
    const double drawingWidth = canvas.width() - 2 * canvasMargin;
    const double drawingHeight = canvas.height() - 2 * canvasMargin;
    const double roomWidth = viewport.width() - 2 * fitPadding;
    const double roomHeight = viewport.height() - 2 * fitPadding;
    if (!(drawingWidth > 0) || !(drawingHeight > 0) || !(roomWidth > 0) || !(roomHeight > 0))
        return initialScale;
    const double scale = std::min(roomWidth / drawingWidth, roomHeight / drawingHeight);
    return std::clamp(scale, minimumScale, maximumScale);
}

void GraphZoom::reset()
{
    setGraphScale(initialScale);
    // Scaling is about the canvas centre, so the centring offset holds at every scale.
    setGraphOffset(viewmath::centringOffset(m_viewport, m_canvas));
}

void GraphZoom::fit()
{
    setGraphScale(fitScale(m_viewport, m_canvas));
    setGraphOffset(viewmath::centringOffset(m_viewport, m_canvas));
}
