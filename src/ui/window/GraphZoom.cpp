#include "GraphZoom.h"

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

void GraphZoom::reset()
{
    setGraphScale(initialScale);
    setGraphOffset(QSizeF(0, 0));
}
