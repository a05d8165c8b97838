#include "MindmapScene.h"

#include "LabelChoice.h"
#include "ViewMath.h"
#include "model/ProjectType.h"

#include <algorithm>
#include <cmath>
#include <map>

using namespace mindmaplook;

namespace {

// The pixel size a text of `base` points is rendered at for `textScale` pixels per point.
int pixelSizeFor(double base, double textScale) { return std::max(1, int(std::lround(base * textScale))); }

QPointF grown(QPointF p, QPointF centre, double growth) { return centre + (p - centre) * growth; }


} // namespace

double MindmapScene::opacityOf(Group group, double progress) {
    const double p = std::clamp(progress, 0.0, 1.0);
    switch (group) {
    case Plain: return 1.0;
    case Dimmed: return 0.25;
    case Dimming: return 1.0 + (0.25 - 1.0) * p;
    case Undimming: return 0.25 + (1.0 - 0.25) * p;
    }
    return 1.0;
}

void MindmapScene::setGraph(const MindmapModel& model, const QFont& baseFont) {
    m_fonts = Fonts::from(baseFont);
    const QList<CachedGraphNode>& nodes = model.graph().flatNodes;
    m_boxes.clear();
    m_boxes.reserve(size_t(nodes.size()));
    for (const CachedGraphNode& node : nodes) m_boxes.push_back(measure(node, m_fonts));
    indexBoxes(model);
    m_labels.clear();
    m_layers.clear();
    orderLabels(model);
}

void MindmapScene::indexBoxes(const MindmapModel& model) {
    const QList<CachedGraphNode>& nodes = model.graph().flatNodes;
    std::vector<NodeIndex::Entry> entries;
    entries.reserve(size_t(nodes.size()));
    // Hits on the root cover its whole bubble; others their box.
    for (qsizetype i = 0; i < nodes.size(); ++i)
        entries.push_back({nodes.at(i).position, m_boxes[size_t(i)].halfWidth, m_boxes[size_t(i)].halfHeight});
    m_index.build(entries, QRectF(0, 0, model.canvasWidth(), model.canvasHeight()));
    m_maxHalfWidth = m_maxHalfHeight = 0;
    for (const NodeIndex::Entry& e : entries) {
        m_maxHalfWidth = std::max(m_maxHalfWidth, e.halfWidth);
        m_maxHalfHeight = std::max(m_maxHalfHeight, e.halfHeight);
    }
}

void MindmapScene::updateNode(const MindmapModel& model, int index) {
    const QList<CachedGraphNode>& nodes = model.graph().flatNodes;
    if (index < 0 || index >= nodes.size() || size_t(index) >= m_boxes.size()) return;
    const Box before = m_boxes[size_t(index)];
    m_boxes[size_t(index)] = measure(nodes.at(index), m_fonts);
    for (const Text text : {Text::Name, Text::BoldName, Text::Branch})
        m_labels.erase((std::uint64_t(std::uint32_t(index)) << 2) | std::uint64_t(text));
    const Box& after = m_boxes[size_t(index)];
    if (before.halfWidth != after.halfWidth || before.halfHeight != after.halfHeight) {
        indexBoxes(model);
        m_choiceStale = true;
    }
}

const std::vector<SpriteAtlas::Placed>& MindmapScene::label(int node, Text text, const QColor& color,
                                                             SpriteAtlas& atlas, double textScale) {
    const std::uint64_t key = (std::uint64_t(std::uint32_t(node)) << 2) | std::uint64_t(text);
    auto it = m_labels.find(key);
    if (it != m_labels.end()) return it->second;
    const Box& b = m_boxes[size_t(node)];
    QFont font;
    QString content = b.name;
    switch (text) {
    case Text::Name:
        font = b.look == MindmapModel::Root ? m_fonts.rootName
             : b.look == MindmapModel::Directory ? m_fonts.folderName : m_fonts.projectName;
        break;
    case Text::BoldName: font = m_fonts.projectNameBold; break;
    case Text::Branch:
        font = m_fonts.branch;
        content = b.branch;
        break;
    }
    const int base = font.pixelSize();
    font.setPixelSize(pixelSizeFor(base, textScale));
    return m_labels.emplace(key, atlas.layout(content, font, color)).first->second;
}

void MindmapScene::addQuad(Layer& layer, const QRectF& t, const QRectF& src) {
    if (t.width() <= 0 || t.height() <= 0) return;
    const auto first = std::uint16_t(layer.vertices.size());
    QSGGeometry::TexturedPoint2D v[4];
    // Texture coordinates in atlas pixels here; build() divides by the final image size.
    v[0].set(float(t.left()), float(t.top()), float(src.left()), float(src.top()));
    v[1].set(float(t.right()), float(t.top()), float(src.right()), float(src.top()));
    v[2].set(float(t.right()), float(t.bottom()), float(src.right()), float(src.bottom()));
    v[3].set(float(t.left()), float(t.bottom()), float(src.left()), float(src.bottom()));
    layer.vertices.insert(layer.vertices.end(), v, v + 4);
    layer.indices.insert(layer.indices.end(), {first, std::uint16_t(first + 1), std::uint16_t(first + 2), first,
                                               std::uint16_t(first + 2), std::uint16_t(first + 3)});
}

void MindmapScene::addGlyphs(Layer& layer, const std::vector<SpriteAtlas::Placed>& glyphs, QPointF origin,
                             double k, QPointF centre, double growth, const SpriteAtlas& atlas) {
    for (const SpriteAtlas::Placed& g : glyphs) {
        const QRectF px = atlas.sprite(g.sprite).pixels;
        const QPointF tl = grown(origin + QPointF((g.x + px.left()) / k, (g.y + px.top()) / k), centre, growth);
        const QPointF br = grown(origin + QPointF((g.x + px.right()) / k, (g.y + px.bottom()) / k), centre, growth);
        addQuad(layer, QRectF(tl, br), QRectF(atlas.cell(g.sprite)));
        ++m_glyphs;
    }
}

void MindmapScene::addSprite(Layer& layer, int sprite, QPointF at, double k, double growth, const SpriteAtlas& atlas) {
    if (sprite < 0) return;
    const QRect cell = atlas.cell(sprite);
    const double w = cell.width() / k * growth, h = cell.height() / k * growth;
    addQuad(layer, QRectF(at.x() - w / 2, at.y() - h / 2, w, h), QRectF(cell));
}

void MindmapScene::addNinePatch(Layer& layer, const mindmapsprites::NinePatch& patch, const QRectF& shape, double k,
                                const SpriteAtlas& atlas) {
    if (patch.sprite < 0) return;
    const QRectF cell(atlas.cell(patch.sprite));
    const double e = patch.extent, corner = patch.cornerPixels / k;
    const QRectF outer = shape.adjusted(-e, -e, e, e);
    const double tx[4] = {outer.left(), outer.left() + corner, outer.right() - corner, outer.right()};
    const double ty[4] = {outer.top(), outer.top() + corner, outer.bottom() - corner, outer.bottom()};
    const double c = patch.cornerPixels;
    const double sx[4] = {cell.left(), cell.left() + c, cell.right() - c, cell.right()};
    const double sy[4] = {cell.top(), cell.top() + c, cell.bottom() - c, cell.bottom()};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            addQuad(layer, QRectF(QPointF(tx[col], ty[row]), QPointF(tx[col + 1], ty[row + 1])),
                    QRectF(QPointF(sx[col], sy[row]), QPointF(sx[col + 1], sy[row + 1])));
}

void MindmapScene::addDot(int index, const CachedGraphNode& node, const MindmapPalette& palette, const View& view,
                          Layer& layer, SpriteAtlas& atlas) {
    const Box& b = m_boxes[size_t(index)];
    const QColor tone = b.look == MindmapModel::ProjectNode ? palette.tone(projecttype::color(node.project->type))
                                                            : palette.tone(viewmath::graphFolderColor(node.depth));
    const double ts = view.scale * view.pixelRatio;
    const double grow = view.hovered == index ? 1.5 : 1.0;
    addSprite(layer, mindmapsprites::dot(atlas, tone, kDotPixels * view.pixelRatio), node.position, ts, grow, atlas);
    if (b.needsAttention) {
        // Up and right of the dot, touching it.
        const double reach = (kDotPixels + kAttentionDotPixels) * 0.5 * 0.7 * grow / ts * view.pixelRatio;
        addAttention(layer, palette, palette.textBackground, kAttentionDotPixels / view.scale,
                     node.position + QPointF(reach, -reach), ts, atlas);
    }
}

void MindmapScene::addAttention(Layer& layer, const MindmapPalette& palette, const QColor& ring, double diameter,
                                QPointF centre, double pixelsPerPoint, SpriteAtlas& atlas) {
    const QColor tone = palette.tone(QString::fromLatin1(kAttentionTone));
    const bool withSymbol = diameter * pixelsPerPoint >= kAttentionSymbolMinPixels;
    addSprite(layer,
              mindmapsprites::attentionBadge(atlas, tone, ring, palette.foregroundOn(tone), diameter, withSymbol,
                                             pixelsPerPoint),
              centre, pixelsPerPoint, 1.0, atlas);
}

void MindmapScene::addNode(int index, const CachedGraphNode& node, const MindmapModel& model,
                           const MindmapPalette& palette, const View& view, Layer& layer, SpriteAtlas& atlas) {
    const Box& b = m_boxes[size_t(index)];
    const bool highlighted = model.highlightedAt(index);
    const bool hovered = view.hovered == index;
    const bool withLabel = labelled(index, view.hovered);
    // A labelled node is drawn grown where its name would be too small to read, its pictures
    // and text painted at the size they are shown at (tl pixels per point).
    const double lift = growthOf(index, view.hovered);
    const double g = growth(b.look, highlighted, hovered) * lift;
    const QPointF c = node.position;
    const double ts = view.scale * view.pixelRatio;
    const double tl = ts * lift;
    const Parts parts = partsOf(b, m_fonts);
    const QColor white(Qt::white);

    if (b.look == MindmapModel::Root) {
        const QColor blue = palette.tone(QStringLiteral("blue"));
        const int bubble = mindmapsprites::bubble(atlas, blue, MindmapPalette::over(palette.textBackground, blue, 0.7),
                                                  highlighted, tl);
        addSprite(layer, bubble, c, tl, g, atlas);
        if (24 * tl >= 4) addSprite(layer, atlas.symbol(QStringLiteral("folder.fill"), 24 * tl, white),
                                    grown(c + parts.changeDot, c, g), tl, g, atlas);
        if (withLabel) {
            m_drewLabels = true;
            const double k = pixelSizeFor(12, tl) / 12.0;
            addGlyphs(layer, label(index, Text::Name, white, atlas, tl), c + parts.name - QPointF(b.nameAdvance / 2, 0),
                      k, c, g, atlas);
        }
        return;
    }

    const bool isProject = b.look == MindmapModel::ProjectNode;
    const bool selected = isProject && model.selectedIndex() == index;
    const bool emphasised = highlighted || selected;
    const QColor tone = isProject ? palette.tone(projecttype::color(node.project->type))
                                  : palette.tone(viewmath::graphFolderColor(node.depth));
    const bool symbolShown = parts.symbolSize * ts >= 4;
    const QString symbol = !symbolShown ? QString() : isProject ? projecttype::icon(node.project->type)
                                                                : QStringLiteral("folder.fill");
    const double kg = ts * g;

    // A node without its label is its disc alone, centred on its place.
    if (!withLabel) {
        addSprite(layer, mindmapsprites::disc(atlas, tone, symbol, palette.foregroundOn(tone), parts.discDiameter,
                                              parts.symbolSize, kg),
                  c, kg, 1.0, atlas);
        if (b.needsAttention) {
            const double reach = parts.discDiameter * 0.5 * std::sqrt(0.5) * g;
            addAttention(layer, palette, palette.textBackground, kAttentionBadgeOnDisc, c + QPointF(reach, -reach), kg,
                         atlas);
        }
        return;
    }

    // Card or capsule with its shadow and outline. Resting outlines are a little stronger than
    // a faint tint so that a node stays distinct from a canvas of its own colour; below 75 %
    // resting cards cast no shadow (it would be a pixel or two wide, and costly to draw for
    // the many grown cards of a far zoom).
    mindmapsprites::CardLook look;
    look.fill = emphasised ? MindmapPalette::over(palette.controlBackground, tone, 0.12) : palette.controlBackground;
    look.outline = tone;
    if (!emphasised) look.outline.setAlphaF(0.45f);
    look.outlineWidth = emphasised ? 2.0 : 1.0;
    look.radius = isProject ? kProjectCorner : b.halfHeight;
    if (emphasised || view.scale >= kRestingShadowScale) {
        look.shadow = tone;
        look.shadow.setAlphaF(highlighted ? 0.5f : selected ? 0.3f : isProject ? 0.18f : 0.15f);
        look.blur = highlighted ? 10 : 4;
    }
    addNinePatch(layer, mindmapsprites::card(atlas, look, kg), QRectF(c.x() - b.halfWidth * g, c.y() - b.halfHeight * g,
                                                                      2 * b.halfWidth * g, 2 * b.halfHeight * g),
                 kg, atlas);

    addSprite(layer,
              mindmapsprites::disc(atlas, tone, symbol, palette.foregroundOn(tone), parts.discDiameter, parts.symbolSize, kg),
              grown(c + parts.disc, c, g), kg, 1.0, atlas);
    if (isProject && b.hasChanges)
        addSprite(layer, mindmapsprites::dot(atlas, palette.tone(QStringLiteral("orange")), kChangeDot * kg),
                  grown(c + parts.changeDot, c, g), kg, 1.0, atlas);
    if (b.needsAttention) addAttention(layer, palette, look.fill, kAttentionBadge, grown(c + parts.attention, c, g), kg, atlas);
    m_drewLabels = true;
    const QColor text = palette.tone(QStringLiteral("primary"));
    const double base = isProject ? 12 : 13;
    const Text which = !isProject ? Text::Name : emphasised ? Text::BoldName : Text::Name;
    addGlyphs(layer, label(index, which, text, atlas, tl), c + parts.name, pixelSizeFor(base, tl) / base, c, g, atlas);
    if (isProject && !b.branch.isEmpty() && 10 * view.scale * lift >= kLabelMinPixels) {
        addGlyphs(layer, label(index, Text::Branch, palette.tone(QStringLiteral("purple")), atlas, tl),
                  c + parts.branch, pixelSizeFor(10, tl) / 10.0, c, g, atlas);
    }
}

void MindmapScene::build(const MindmapModel& model, const MindmapPalette& palette, const View& view, SpriteAtlas& atlas) {
    m_layers.clear();
    m_drawn = m_vertices = m_glyphs = 0;
    m_drewLabels = false;
    const double ts = view.scale * view.pixelRatio;
    if (ts != m_labelScale) {
        // Labels and pictures are painted at the pixel size they are shown at.
        atlas.clear();
        m_labels.clear();
        m_labelScale = ts;
    }
    if (m_labels.size() > 20000) m_labels.clear();
    if (!model.isReady() || m_boxes.empty() || !(view.scale > 0)) return;
    // The labels are chosen again when the zoom or the flags change, not when the view pans.
    if (m_choiceStale || view.scale != m_choiceScale) chooseLabels(model, view.scale);

    const QList<CachedGraphNode>& nodes = model.graph().flatNodes;
    const bool dots = view.scale < kDotScale;
    // Grown labelled nodes reach into the area from further out.
    const double lift = labelchoice::growthAt(view.scale);
    const double reach = lift > 1 ? double(std::max(m_maxHalfWidth, m_maxHalfHeight)) * (lift - 1) : 0;
    // Layers by depth and group; a full layer (16-bit indices) is followed by another.
    std::map<std::pair<qint64, int>, std::vector<size_t>> layerOf;
    for (int index : m_index.within(view.area.adjusted(-reach, -reach, reach, reach))) {
        const CachedGraphNode& node = nodes.at(index);
        const Box& b = m_boxes[size_t(index)];
        if (b.look == MindmapModel::None) continue;
        const bool withLabel = labelled(index, view.hovered);
        if (!withLabel && !shownRect(index, view.hovered).intersects(view.area)) continue;
        const bool was = model.wasDimmedAt(index), now = model.dimmedAt(index);
        const Group group = was == now ? (now ? Dimmed : Plain) : (now ? Dimming : Undimming);
        // Labelled nodes lie above the discs and dots, the hovered one above all; among the
        // others the deeper on top.
        const qint64 depth = index == view.hovered ? kTopLayer
                           : dots ? (withLabel ? 1 + node.depth : 0)
                                  : node.depth + (withLabel ? kLabelledLayers : 0);
        std::vector<size_t>& chain = layerOf[{depth, int(group)}];
        // A node adds at most a few hundred quads (its label is cut to a few dozen glyphs).
        if (chain.empty() || m_layers[chain.back()].vertices.size() > 4 * (kMaxQuads - 400)) {
            chain.push_back(m_layers.size());
            m_layers.emplace_back();
            m_layers.back().depth = depth;
            m_layers.back().group = group;
        }
        Layer& layer = m_layers[chain.back()];
        if (dots && !withLabel) addDot(index, node, palette, view, layer, atlas);
        else addNode(index, node, model, palette, view, layer, atlas);
        ++m_drawn;
    }
    // Deeper layers on top; within a depth the fading groups above the still ones.
    std::vector<Layer> ordered;
    ordered.reserve(m_layers.size());
    for (const auto& [key, chain] : layerOf)
        for (size_t position : chain) ordered.push_back(std::move(m_layers[position]));
    m_layers = std::move(ordered);

    const float w = float(std::max(atlas.image().width(), 1)), h = float(std::max(atlas.image().height(), 1));
    for (Layer& layer : m_layers) {
        for (QSGGeometry::TexturedPoint2D& v : layer.vertices) {
            v.tx /= w;
            v.ty /= h;
        }
        m_vertices += int(layer.vertices.size());
    }
}
