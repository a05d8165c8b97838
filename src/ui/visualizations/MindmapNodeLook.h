#pragma once

#include "MindmapModel.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>

// The sizes and inner layout of the three node looks (root bubble, folder capsule, project
// card), measured once per data set at 100 %, relative to the node's centre.
namespace mindmaplook {

// Text styles of the looks at 100 %.
struct Fonts {
    QFont rootName;    // 12 bold
    QFont folderName;  // 13 semibold
    QFont projectName; // 12 medium (bold when selected or highlighted)
    QFont projectNameBold;
    QFont branch;      // 10
    // Line height and ascent of each.
    double rootHeight = 0, rootAscent = 0, folderHeight = 0, folderAscent = 0;
    double nameHeight = 0, nameAscent = 0, branchHeight = 0, branchAscent = 0;
    static Fonts from(const QFont& base);
};

// Labels wider than this are cut with an ellipsis (the full text is shown on hover).
inline constexpr double kMaxLabelWidth = 240;
inline constexpr double kRootDiameter = 90;
inline constexpr double kRootGlowDiameter = 140;
inline constexpr double kFolderDisc = 28;
inline constexpr double kProjectDisc = 26;
inline constexpr double kProjectCorner = 12;
inline constexpr double kChangeDot = 6;
// The badge on a project that needs attention (uncommitted, unpushed, behind, ...): this many
// points wide on a card, smaller on a project drawn as its disc alone, and a dot beside a dot.
inline constexpr double kAttentionBadge = 14;
inline constexpr double kAttentionBadgeOnDisc = 14;
inline constexpr double kAttentionDotPixels = 5;
// Below this many pixels the badge is a plain disc without its exclamation mark.
inline constexpr double kAttentionSymbolMinPixels = 10;
// The theme's tone for it.
inline constexpr char kAttentionTone[] = "red";
// A branch smaller than this many pixels on screen is not drawn.
inline constexpr double kLabelMinPixels = 8;
// Below this scale resting nodes cast no shadow.
inline constexpr double kRestingShadowScale = 0.75;
// Below this scale nodes are drawn as dots.
inline constexpr double kDotScale = 0.25;
inline constexpr double kDotPixels = 7; // dot diameter on screen

// One node's measured look.
struct Box {
    MindmapModel::Look look = MindmapModel::None;
    float halfWidth = 0, halfHeight = 0;
    QString name;   // as drawn: elided to kMaxLabelWidth
    QString branch; // "" when the project has none
    float nameAdvance = 0;
    bool hasChanges = false;
    bool needsAttention = false;
    bool elided = false; // name or branch was cut
};

Box measure(const CachedGraphNode& node, const Fonts& fonts);

// Where the parts of a look lie, relative to the node's centre, at 100 %.
struct Parts {
    QPointF disc;        // centre of the symbol disc
    double discDiameter = 0;
    double symbolSize = 0;
    QPointF name;        // left end of the name's baseline (the root's is centred: see nameCentred)
    bool nameCentred = false;
    QPointF changeDot;   // centre of the orange dot
    QPointF attention;   // centre of the attention badge: on the card's top-right corner
    QPointF branch;      // left end of the branch's baseline
};
Parts partsOf(const Box& box, const Fonts& fonts);

// The scale a node is drawn at: grown when highlighted or hovered.
double growth(MindmapModel::Look look, bool highlighted, bool hovered);

} // namespace mindmaplook
