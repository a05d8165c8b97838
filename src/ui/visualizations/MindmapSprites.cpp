#include "MindmapSprites.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mindmapsprites {

namespace {

QString colorKey(const QColor& c) { return QString::number(c.rgba(), 16); }

// A shadow as stacked translucent shapes, each a little larger: dense at the edge, nothing
// `blur` pixels beyond it.
void paintShadow(QPainter& p, const QRectF& shape, double radius, const QColor& color, double blur) {
    if (!(blur > 0) || color.alpha() == 0) return;
    const int steps = std::clamp(int(std::ceil(blur)), 1, 10);
    QColor layer = color;
    layer.setAlphaF(float(1 - std::pow(1 - color.alphaF(), 1.0 / steps)));
    p.setPen(Qt::NoPen);
    p.setBrush(layer);
    for (int i = steps; i >= 1; --i) {
        const double grow = blur * i / steps;
        p.drawRoundedRect(shape.adjusted(-grow, -grow, grow, grow), radius + grow, radius + grow);
    }
}

} // namespace

NinePatch card(SpriteAtlas& atlas, const CardLook& look, double k) {
    NinePatch patch;
    patch.extent = look.blur + 1;
    patch.cornerPixels = int(std::ceil((look.radius + patch.extent) * k));
    const int side = 2 * patch.cornerPixels + 2;
    const QString key = QStringLiteral("c%1|%2|%3|%4|%5|%6|%7|%8")
                            .arg(colorKey(look.fill), colorKey(look.outline), colorKey(look.shadow))
                            .arg(look.outlineWidth)
                            .arg(look.radius)
                            .arg(look.blur)
                            .arg(k)
                            .arg(side);
    patch.sprite = atlas.picture(key, QSize(side, side), [&](QPainter& p, const QRectF& box) {
        const double e = patch.extent * k;
        const QRectF shape = box.adjusted(e, e, -e, -e);
        const double r = look.radius * k;
        paintShadow(p, shape, r, look.shadow, look.blur * k);
        p.setPen(Qt::NoPen);
        p.setBrush(look.fill);
        p.drawRoundedRect(shape, r, r);
        if (look.outlineWidth > 0 && look.outline.alpha() > 0) {
            const double w = look.outlineWidth * k;
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(look.outline, w));
            p.drawRoundedRect(shape.adjusted(w / 2, w / 2, -w / 2, -w / 2), std::max(r - w / 2, 0.0),
                              std::max(r - w / 2, 0.0));
        }
    });
    return patch;
}

int disc(SpriteAtlas& atlas, const QColor& tone, const QString& symbol, const QColor& symbolColor, double diameter,
         double symbolSize, double k) {
    const int px = int(std::ceil(diameter * k)) + 2;
    const QString key = QStringLiteral("d%1|%2|%3|%4|%5|%6")
                            .arg(colorKey(tone), symbol, colorKey(symbolColor))
                            .arg(diameter)
                            .arg(symbolSize)
                            .arg(k);
    return atlas.picture(key, QSize(px, px), [&](QPainter& p, const QRectF& box) {
        const QRectF circle(box.center().x() - diameter * k / 2, box.center().y() - diameter * k / 2, diameter * k,
                            diameter * k);
        QLinearGradient gradient(circle.topLeft(), circle.bottomLeft());
        gradient.setColorAt(0, tone.lighter(118));
        gradient.setColorAt(1, tone);
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawEllipse(circle);
        if (!symbol.isEmpty()) {
            const double s = symbolSize * k;
            SpriteAtlas::paintSymbol(p, symbol, QRectF(box.center().x() - s / 2, box.center().y() - s / 2, s, s),
                                     symbolColor);
        }
    });
}

int bubble(SpriteAtlas& atlas, const QColor& blue, const QColor& end, bool highlighted, double k) {
    const double reach = 70 + 10 + 1; // the glow and its blur
    const int px = int(std::ceil(2 * reach * k));
    const QString key = QStringLiteral("b%1|%2|%3|%4").arg(colorKey(blue), colorKey(end)).arg(highlighted).arg(k);
    return atlas.picture(key, QSize(px, px), [&](QPainter& p, const QRectF& box) {
        const QPointF c = box.center();
        auto circle = [&](double r) { return QRectF(c.x() - r * k, c.y() - r * k, 2 * r * k, 2 * r * k); };
        if (highlighted) {
            QColor glow = blue;
            glow.setAlphaF(0.2f);
            paintShadow(p, circle(70), 70 * k, glow, 10 * k);
            p.setBrush(glow);
            p.drawEllipse(circle(70));
        }
        QColor shadow = blue;
        shadow.setAlphaF(highlighted ? 0.6f : 0.3f);
        paintShadow(p, circle(45), 45 * k, shadow, (highlighted ? 15 : 8) * k);
        QLinearGradient gradient(circle(45).topLeft(), circle(45).bottomRight());
        gradient.setColorAt(0, blue);
        gradient.setColorAt(1, end);
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawEllipse(circle(45));
    });
}

int attentionBadge(SpriteAtlas& atlas, const QColor& tone, const QColor& ring, const QColor& symbolColor,
                   double diameter, bool withSymbol, double k) {
    const double ringWidth = 1.5;
    const double outer = (diameter + 2 * ringWidth) * k;
    const int px = int(std::ceil(outer)) + 2;
    const QString key = QStringLiteral("a%1|%2|%3|%4|%5|%6")
                            .arg(colorKey(tone), colorKey(ring), colorKey(symbolColor))
                            .arg(diameter)
                            .arg(withSymbol)
                            .arg(k);
    return atlas.picture(key, QSize(px, px), [&](QPainter& p, const QRectF& box) {
        const QPointF c = box.center();
        p.setPen(Qt::NoPen);
        p.setBrush(ring);
        p.drawEllipse(c, outer / 2, outer / 2);
        p.setBrush(tone);
        p.drawEllipse(c, diameter * k / 2, diameter * k / 2);
        if (!withSymbol) return;
        // The mark: a bar over a dot, drawn as shapes so that it needs no font.
        const double unit = diameter * k;
        const double bar = unit * 0.16;
        p.setBrush(symbolColor);
        p.drawRoundedRect(QRectF(c.x() - bar / 2, c.y() - unit * 0.31, bar, unit * 0.40), bar / 2, bar / 2);
        p.drawEllipse(QPointF(c.x(), c.y() + unit * 0.24), bar * 0.6, bar * 0.6);
    });
}

int dot(SpriteAtlas& atlas, const QColor& color, double diameterPixels) {
    const int px = int(std::ceil(diameterPixels)) + 2;
    const QString key = QStringLiteral("o%1|%2").arg(colorKey(color)).arg(diameterPixels);
    return atlas.picture(key, QSize(px, px), [&](QPainter& p, const QRectF& box) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QRectF(box.center().x() - diameterPixels / 2, box.center().y() - diameterPixels / 2,
                             diameterPixels, diameterPixels));
    });
}

} // namespace mindmapsprites
