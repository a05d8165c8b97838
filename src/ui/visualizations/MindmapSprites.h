#pragma once

#include "SpriteAtlas.h"

#include <QColor>
#include <QString>

// The pictures the mindmap's nodes are made of, painted once per look into the sprite atlas at
// the pixel size they are shown at: card and capsule backgrounds with their shadow and outline
// (nine-patches that stretch to any node size), symbol discs, the root bubble and dots.
namespace mindmapsprites {

// A background with a soft shadow and an outline, for any width and height.
struct CardLook {
    QColor fill;
    QColor outline;
    double outlineWidth = 0; // points, drawn inside the edge
    double radius = 0;       // corner radius in points
    QColor shadow;
    double blur = 0;         // points the shadow reaches beyond the edge
};

struct NinePatch {
    int sprite = -1;
    int cornerPixels = 0; // each corner piece is this many pixels square
    double extent = 0;    // points the picture reaches beyond the shape on each side
};

// `pixelsPerPoint`: the scale the picture is painted at.
NinePatch card(SpriteAtlas& atlas, const CardLook& look, double pixelsPerPoint);
// A disc `diameter` points wide in a gentle gradient of `tone`, with `symbol` (if not empty)
// `symbolSize` points high in `symbolColor` on it. Centred on its origin.
int disc(SpriteAtlas& atlas, const QColor& tone, const QString& symbol, const QColor& symbolColor, double diameter,
         double symbolSize, double pixelsPerPoint);
// The root's bubble: a 90-point disc from `blue` to `end`, its shadow, and the glow when
// highlighted. Centred on its origin.
int bubble(SpriteAtlas& atlas, const QColor& blue, const QColor& end, bool highlighted, double pixelsPerPoint);
// The attention badge: a disc `diameter` points wide in `tone` inside a ring of `ring` (the
// card's fill, so that the badge stands apart from the outline it overlaps), with an
// exclamation mark in `symbolColor` when `withSymbol`. Centred on its origin.
int attentionBadge(SpriteAtlas& atlas, const QColor& tone, const QColor& ring, const QColor& symbolColor,
                   double diameter, bool withSymbol, double pixelsPerPoint);
// A plain disc `diameterPixels` wide, centred on its origin.
int dot(SpriteAtlas& atlas, const QColor& color, double diameterPixels);

} // namespace mindmapsprites
