#include "CardPainting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

CardHeaderBand::CardHeaderBand(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

void CardHeaderBand::setColor(const QColor& color) {
    if (m_color == color) return;
    m_color = color;
    update();
    emit colorChanged();
}

void CardHeaderBand::setCornerRadius(double radius) {
    if (qFuzzyCompare(m_cornerRadius, radius)) return;
    m_cornerRadius = radius;
    update();
    emit cornerRadiusChanged();
}

QList<double> CardHeaderBand::stripeStarts(double width) {
    QList<double> starts;
    for (double x = 0; x < width; x += 30) starts.append(x);
    return starts;
}

void CardHeaderBand::paint(QPainter* painter) {
    const double w = width();
    const double h = height();
    if (w <= 0 || h <= 0) return;
    painter->setRenderHint(QPainter::Antialiasing);

    // Rounded top corners, square bottom: the band sits on top of the card body.
    const double r = std::min({m_cornerRadius, w * 0.5, h});
    QPainterPath band;
    band.moveTo(0, h);
    band.lineTo(0, r);
    band.arcTo(QRectF(0, 0, 2 * r, 2 * r), 180, -90);
    band.lineTo(w - r, 0);
    band.arcTo(QRectF(w - 2 * r, 0, 2 * r, 2 * r), 90, -90);
    band.lineTo(w, h);
    band.closeSubpath();
    painter->setClipPath(band);

    QLinearGradient gradient(0, 0, w, h);
    QColor faded = m_color;
    faded.setAlphaF(m_color.alphaF() * 0.7f);
    gradient.setColorAt(0, m_color);
    gradient.setColorAt(1, faded);
    painter->fillRect(QRectF(0, 0, w, h), gradient);

    painter->setPen(QPen(QColor(255, 255, 255, 26), 1));
    for (double x : stripeStarts(w)) painter->drawLine(QPointF(x, 0), QPointF(x + h, h));
}

HealthRingArc::HealthRingArc(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

void HealthRingArc::setValue(double value) {
    value = std::clamp(value, 0.0, 1.0);
    if (qFuzzyCompare(m_value + 1, value + 1)) return;
    m_value = value;
    update();
    emit valueChanged();
}

void HealthRingArc::setColor(const QColor& color) {
    if (m_color == color) return;
    m_color = color;
    update();
    emit colorChanged();
}

void HealthRingArc::setTrackColor(const QColor& color) {
    if (m_trackColor == color) return;
    m_trackColor = color;
    update();
    emit trackColorChanged();
}

void HealthRingArc::paint(QPainter* painter) {
    const double lineWidth = 4;
    const QRectF box = QRectF(0, 0, width(), height()).adjusted(lineWidth / 2, lineWidth / 2, -lineWidth / 2,
                                                                -lineWidth / 2);
    if (box.width() <= 0 || box.height() <= 0) return;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(m_trackColor, lineWidth));
    painter->drawEllipse(box);
    if (m_value <= 0) return;
    QPen pen(m_color, lineWidth);
    pen.setCapStyle(Qt::RoundCap);
    painter->setPen(pen);
    // From the top (90 degrees), clockwise (negative span); angles in 1/16 degree.
    painter->drawArc(box, 90 * 16, -static_cast<int>(std::lround(m_value * 360 * 16)));
}
