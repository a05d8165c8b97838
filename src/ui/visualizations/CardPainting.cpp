#include "CardPainting.h"

#include "CardMetrics.h"
#include "ProjectHealth.h"
#include "SymbolMap.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

CardHeaderBand::CardHeaderBand(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
    m_labelFont.setPixelSize(9);
    m_labelFont.setBold(true);
}

void CardHeaderBand::setLastModified(const QVariant& date) {
    if (m_lastModified == date && m_lastModified.isValid()) return;
    m_lastModified = date;
    const auto day = CardMetrics::toDate(date);
    const QDateTime now = QDateTime::currentDateTime();
    m_healthScore = std::clamp(health::healthScore(day, now), 0.0, 1.0);
    m_healthLabel = health::healthLabel(day, now);
    update();
    emit healthChanged();
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
    painter->setRenderHint(QPainter::TextAntialiasing);

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
    painter->save();
    painter->setClipPath(band);
    QLinearGradient gradient(0, 0, w, h);
    QColor faded = m_color;
    faded.setAlphaF(m_color.alphaF() * 0.7f);
    gradient.setColorAt(0, m_color);
    gradient.setColorAt(1, faded);
    painter->fillRect(QRectF(0, 0, w, h), gradient);
    painter->setPen(QPen(QColor(255, 255, 255, 26), 1));
    for (double x : stripeStarts(w)) painter->drawLine(QPointF(x, 0), QPointF(x + h, h));
    painter->restore();

    paintSymbol(painter, QRectF(w - 12 - 40, 12, 40, 40));
    paintRing(painter, QRectF(12, h - 12 - 36, 36, 36));
}

void CardHeaderBand::paintSymbol(QPainter* painter, const QRectF& box) const {
    const auto symbol = symbolmap::lookup(m_symbol);
    if (symbol && symbol->codepoint == 0) {
        // A symbol of our own: SVG path data in a 24 x 24 box.
        const QString svg = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 24 24'>"
                                           "<path d='%1' fill='%2' fill-opacity='%3'/></svg>")
                                .arg(symbol->path, m_symbolColor.name(QColor::HexRgb))
                                .arg(m_symbolColor.alphaF());
        QSvgRenderer renderer(svg.toUtf8());
        renderer.render(painter, box);
        return;
    }
    const char32_t codepoint = symbol ? symbol->codepoint : char32_t(0xe8fd); // help_outline
    QFont font(symbolmap::fontFamily());
    font.setPixelSize(int(box.height()));
    painter->setFont(font);
    painter->setPen(m_symbolColor);
    painter->drawText(box, Qt::AlignCenter, QString::fromUcs4(&codepoint, 1));
}

void CardHeaderBand::paintRing(QPainter* painter, const QRectF& box) const {
    const double lineWidth = 4;
    const QRectF ring = box.adjusted(lineWidth / 2, lineWidth / 2, -lineWidth / 2, -lineWidth / 2);
    QColor track = m_ringColor;
    track.setAlphaF(m_ringColor.alphaF() * 0.3f);
    painter->setPen(QPen(track, lineWidth));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(ring);
    if (m_healthScore > 0) {
        QPen pen(m_ringColor, lineWidth);
        pen.setCapStyle(Qt::RoundCap);
        painter->setPen(pen);
        // From the top (90 degrees), clockwise (negative span); angles in 1/16 degree.
        painter->drawArc(ring, 90 * 16, -static_cast<int>(std::lround(m_healthScore * 360 * 16)));
    }
    painter->setFont(m_labelFont);
    painter->setPen(m_ringColor);
    painter->drawText(box, Qt::AlignCenter, m_healthLabel);
}

ActivityStrip::ActivityStrip(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

QColor ActivityStrip::cellColor(int index, const QDateTime& now) const {
    const health::ActivityCell cell = health::activityCell(index, CardMetrics::toDate(m_lastModified), now, m_seed);
    QColor color = cell.color == QLatin1String("green") ? m_activeColor : m_idleColor;
    color.setAlphaF(float(color.alphaF() * cell.opacity));
    return color;
}

void ActivityStrip::paint(QPainter* painter) {
    const double cellWidth = (width() - 26) / 14;
    if (cellWidth <= 0 || m_stripHeight <= 0) return;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    const QDateTime now = QDateTime::currentDateTime();
    const double top = height() - m_stripHeight;
    for (int i = 0; i < 14; ++i) {
        painter->setBrush(cellColor(i, now));
        painter->drawRoundedRect(QRectF(i * (cellWidth + 2), top, cellWidth, m_stripHeight), 2, 2);
    }
}
