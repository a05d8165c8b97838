#include "MindmapScene.h"

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

QRectF boxAround(QPointF centre, double halfWidth, double halfHeight) {
    return QRectF(centre.x() - halfWidth, centre.y() - halfHeight, 2 * halfWidth, 2 * halfHeight);
}

ShapeMesh::Paint discPaint(const QColor& tone, const QRectF& disc) {
    // The gentle gradient of one colour: a lighter tone at the top.
    return {tone.lighter(118), tone, disc.topLeft() + QPointF(disc.width() / 2, 0),
            disc.bottomLeft() + QPointF(disc.width() / 2, 0), true};
}

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

bool MindmapScene::nameShown(MindmapModel::Look look, double scale) {
    if (look == MindmapModel::ProjectNode) return 12 * scale >= kLabelMinPixels;
    const double size = look == MindmapModel::Directory ? 13 : 12;
    return size * scale >= kFolderLabelMinPixels;
}

bool MindmapScene::branchShown(double scale) { return 10 * scale >= kLabelMinPixels; }

void MindmapScene::setGraph(const MindmapModel& model, const QFont& baseFont) {
    m_fonts = Fonts::from(baseFont);
    const QList<CachedGraphNode>& nodes = model.graph().flatNodes;
    m_boxes.clear();
    m_boxes.reserve(size_t(nodes.size()));
    std::vector<NodeIndex::Entry> entries;
    entries.reserve(size_t(nodes.size()));
    for (const CachedGraphNode& node : nodes) {
        m_boxes.push_back(measure(node, m_fonts));
        // Hits on the root cover its whole bubble; others their box.
        entries.push_back({node.position, m_boxes.back().halfWidth, m_boxes.back().halfHeight});
    }
    m_index.build(entries, QRectF(0, 0, model.canvasWidth(), model.canvasHeight()));
    m_labels.clear();
    m_layers.clear();
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

void MindmapScene::addGlyphs(Layer& layer, const std::vector<SpriteAtlas::Placed>& glyphs, QPointF origin,
                             double basePixels, QPointF centre, double growth, const SpriteAtlas& atlas) {
    if (glyphs.empty()) return;
    // Texture coordinates are in atlas pixels here; build() divides by the final image size.
    const double k = basePixels; // rendered pixels per canvas point
    for (const SpriteAtlas::Placed& g : glyphs) {
        const QRectF px = atlas.sprite(g.sprite).pixels;
        const QRect cell = atlas.cell(g.sprite);
        const QPointF tl = grown(origin + QPointF((g.x + px.left()) / k, (g.y + px.top()) / k), centre, growth);
        const QPointF br = grown(origin + QPointF((g.x + px.right()) / k, (g.y + px.bottom()) / k), centre, growth);
        const auto first = std::uint32_t(layer.glyphVertices.size());
        QSGGeometry::TexturedPoint2D v[4];
        v[0].set(float(tl.x()), float(tl.y()), float(cell.left()), float(cell.top()));
        v[1].set(float(br.x()), float(tl.y()), float(cell.left() + cell.width()), float(cell.top()));
        v[2].set(float(br.x()), float(br.y()), float(cell.left() + cell.width()), float(cell.top() + cell.height()));
        v[3].set(float(tl.x()), float(br.y()), float(cell.left()), float(cell.top() + cell.height()));
        layer.glyphVertices.insert(layer.glyphVertices.end(), v, v + 4);
        layer.glyphIndices.insert(layer.glyphIndices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
        ++m_glyphs;
    }
}

void MindmapScene::addSymbol(Layer& layer, const QString& name, double size, const QColor& color, QPointF at,
                             QPointF centre, double growth, double textScale, SpriteAtlas& atlas) {
    const int px = pixelSizeFor(size, textScale);
    const int sprite = atlas.symbol(name, px, color);
    if (sprite < 0) return;
    addGlyphs(layer, {{sprite, 0, 0}}, at, px / size, centre, growth, atlas);
}

void MindmapScene::addDot(int index, const CachedGraphNode& node, const MindmapPalette& palette, const View& view,
                          Layer& layer) {
    const Box& b = m_boxes[size_t(index)];
    const QColor tone = b.look == MindmapModel::ProjectNode ? palette.tone(projecttype::color(node.project->type))
                                                            : palette.tone(viewmath::graphFolderColor(node.depth));
    const double grow = view.hovered == index ? 1.5 : 1.0;
    const double radius = kDotPixels / 2 / view.scale * grow;
    const double feather = 1 / (view.scale * view.pixelRatio);
    layer.shapes.addShape(boxAround(node.position, radius, radius), radius, ShapeMesh::Paint::solid(tone), {}, 0,
                          feather, 2);
}

void MindmapScene::addNode(int index, const CachedGraphNode& node, const MindmapModel& model,
                           const MindmapPalette& palette, const View& view, Layer& layer, SpriteAtlas& atlas) {
    const Box& b = m_boxes[size_t(index)];
    const bool highlighted = model.highlightedAt(index);
    const bool hovered = view.hovered == index;
    const double g = growth(b.look, highlighted, hovered);
    const QPointF c = node.position;
    const double ts = view.scale * view.pixelRatio;
    const double feather = 1 / ts;
    const Parts parts = partsOf(b, m_fonts);
    const QRectF shape = boxAround(c, b.halfWidth * g, b.halfHeight * g);
    const QColor white(Qt::white);

    if (b.look == MindmapModel::Root) {
        const QColor blue = palette.tone(QStringLiteral("blue"));
        const double r = kRootDiameter / 2 * g;
        const int segments = ShapeMesh::segmentsFor(r * ts);
        if (highlighted) {
            const double glow = kRootGlowDiameter / 2 * g;
            QColor faint = blue;
            faint.setAlphaF(0.2f);
            layer.shapes.addShadow(boxAround(c, glow, glow), glow, faint, 10 * g, segments, true);
        }
        QColor shadow = blue;
        shadow.setAlphaF(highlighted ? 0.6f : 0.3f);
        layer.shapes.addShadow(shape, r, shadow, (highlighted ? 15 : 8) * g, segments, true);
        QColor end = blue;
        end.setAlphaF(0.7f);
        const ShapeMesh::Paint fill{blue, MindmapPalette::over(palette.textBackground, blue, 0.7), shape.topLeft(),
                                    shape.bottomRight(), true};
        Q_UNUSED(end);
        layer.shapes.addShape(shape, r, fill, {}, 0, feather, segments);
        if (24 * ts >= 4)
            addSymbol(layer, QStringLiteral("folder.fill"), 24, white, c + parts.changeDot, c, g, ts, atlas);
        if (nameShown(b.look, view.scale)) {
            m_drewLabels = true;
            const double k = pixelSizeFor(12, ts) / 12.0;
            addGlyphs(layer, label(index, Text::Name, white, atlas, ts), c + parts.name - QPointF(b.nameAdvance / 2, 0),
                      k, c, g, atlas);
        }
        return;
    }

    const bool isProject = b.look == MindmapModel::ProjectNode;
    const bool selected = isProject && model.selectedIndex() == index;
    const bool emphasised = highlighted || selected;
    const QColor tone = isProject ? palette.tone(projecttype::color(node.project->type))
                                  : palette.tone(viewmath::graphFolderColor(node.depth));
    const double corner = isProject ? kProjectCorner * g : shape.height() / 2;
    const int segments = ShapeMesh::segmentsFor(corner * ts);

    // Shadow, card or capsule, outline. Resting outlines are drawn a little stronger than a
    // faint tint so that a node stays distinct from a canvas of the same colour.
    // Resting shadows are a pixel or two wide below 75 %: left out there (the outline keeps
    // the node apart from the canvas).
    if (emphasised || view.scale >= kRestingShadowScale) {
        QColor shadow = tone;
        shadow.setAlphaF(highlighted ? 0.5f : selected ? 0.3f : isProject ? 0.18f : 0.15f);
        layer.shapes.addShadow(shape, corner, shadow, (highlighted ? 10 : 4) * g, segments, true);
    }
    const QColor fill = emphasised ? MindmapPalette::over(palette.controlBackground, tone, 0.12) : palette.controlBackground;
    QColor outline = tone;
    if (!emphasised) outline.setAlphaF(0.45f);
    const double outlineWidth = (emphasised ? 2.0 : 1.0) * g;
    layer.shapes.addShape(shape, corner, ShapeMesh::Paint::solid(fill), outline, outlineWidth, feather, segments);

    const double discRadius = parts.discDiameter / 2 * g;
    const QPointF discCentre = grown(c + parts.disc, c, g);
    const QRectF disc = boxAround(discCentre, discRadius, discRadius);
    layer.shapes.addShape(disc, discRadius, discPaint(tone, disc), {}, 0, feather, ShapeMesh::segmentsFor(discRadius * ts));
    if (parts.symbolSize * ts >= 4) {
        const QString symbol = isProject ? projecttype::icon(node.project->type) : QStringLiteral("folder.fill");
        addSymbol(layer, symbol, parts.symbolSize, palette.foregroundOn(tone), c + parts.disc, c, g, ts, atlas);
    }
    if (isProject && b.hasChanges) {
        const QPointF dot = grown(c + parts.changeDot, c, g);
        const double r = kChangeDot / 2 * g;
        layer.shapes.addShape(boxAround(dot, r, r), r, ShapeMesh::Paint::solid(palette.tone(QStringLiteral("orange"))),
                              {}, 0, feather, ShapeMesh::segmentsFor(r * ts));
    }
    if (nameShown(b.look, view.scale)) {
        m_drewLabels = true;
        const QColor text = palette.tone(QStringLiteral("primary"));
        const double base = isProject ? 12 : 13;
        const Text which = !isProject ? Text::Name : emphasised ? Text::BoldName : Text::Name;
        addGlyphs(layer, label(index, which, text, atlas, ts), c + parts.name, pixelSizeFor(base, ts) / base, c, g,
                  atlas);
    }
    if (isProject && !b.branch.isEmpty() && branchShown(view.scale)) {
        addGlyphs(layer, label(index, Text::Branch, palette.tone(QStringLiteral("purple")), atlas, ts),
                  c + parts.branch, pixelSizeFor(10, ts) / 10.0, c, g, atlas);
    }
}

void MindmapScene::build(const MindmapModel& model, const MindmapPalette& palette, const View& view, SpriteAtlas& atlas) {
    m_layers.clear();
    m_drawn = m_vertices = m_glyphs = 0;
    m_drewLabels = false;
    const double ts = view.scale * view.pixelRatio;
    if (ts != m_labelScale) {
        // Labels are laid out at the pixel size they are shown at.
        atlas.clear();
        m_labels.clear();
        m_labelScale = ts;
    }
    if (m_labels.size() > 20000) m_labels.clear();
    if (!model.isReady() || m_boxes.empty() || !(view.scale > 0)) return;

    const QList<CachedGraphNode>& nodes = model.graph().flatNodes;
    const bool dots = view.scale < kDotScale;
    // Layers by depth and group; a full layer (16-bit indices) is followed by another.
    std::map<std::pair<qint64, int>, std::vector<size_t>> layerOf;
    for (int index : m_index.within(view.area)) {
        const CachedGraphNode& node = nodes.at(index);
        const Box& b = m_boxes[size_t(index)];
        if (b.look == MindmapModel::None) continue;
        const bool was = model.wasDimmedAt(index), now = model.dimmedAt(index);
        const Group group = was == now ? (now ? Dimmed : Plain) : (now ? Dimming : Undimming);
        // Dots all lie in one depth; the root stays on top of them.
        const qint64 depth = dots ? (b.look == MindmapModel::Root ? 1 : 0) : node.depth;
        std::vector<size_t>& chain = layerOf[{depth, int(group)}];
        // A node adds at most a few thousand vertices.
        constexpr size_t room = ShapeMesh::kMaxVertices - 4096;
        if (chain.empty() || m_layers[chain.back()].shapes.vertices().size() > room ||
            m_layers[chain.back()].glyphVertices.size() > room) {
            chain.push_back(m_layers.size());
            m_layers.emplace_back();
            m_layers.back().depth = depth;
            m_layers.back().group = group;
        }
        Layer& layer = m_layers[chain.back()];
        if (dots && b.look != MindmapModel::Root) addDot(index, node, palette, view, layer);
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
        for (QSGGeometry::TexturedPoint2D& v : layer.glyphVertices) {
            v.tx /= w;
            v.ty /= h;
        }
        m_vertices += int(layer.shapes.vertices().size() + layer.glyphVertices.size());
    }
}
