#pragma once

#include "MindmapModel.h"
#include "MindmapNodeLook.h"
#include "MindmapPalette.h"
#include "MindmapSprites.h"
#include "NodeIndex.h"
#include "SpriteAtlas.h"

#include <QSGGeometry>

#include <cstdint>
#include <unordered_map>
#include <vector>

// What the mindmap canvas draws, as textured quads into one sprite atlas: the nodes in or
// near the shown part of the canvas, in layers by depth (deeper on top) and by dimming state.
// Each node is a few quads (its background as a nine-patch, its symbol disc, its label
// glyphs), drawn in node order within a layer. Built on the GUI thread; the canvas copies
// the layers into scene-graph nodes.
class MindmapScene {
public:
    // How a layer fades: the opacity it has at the start and at the end of a transition.
    enum Group : std::uint8_t { Plain, Dimmed, Dimming, Undimming };

    struct Layer {
        qint64 depth = 0;
        Group group = Plain;
        std::vector<QSGGeometry::TexturedPoint2D> vertices;
        std::vector<std::uint16_t> indices;
    };

    struct View {
        QRectF area;          // canvas rectangle to draw (the shown part and a margin)
        double scale = 1;     // screen points per canvas point
        double pixelRatio = 1;
        int hovered = -1;     // flatNodes index
    };

    // Measures every node and indexes them; labels are laid out later, when first drawn.
    void setGraph(const MindmapModel& model, const QFont& baseFont);
    // Measures the node at `index` again (its project's record changed) and forgets its labels.
    void updateNode(const MindmapModel& model, int index);
    // Builds the layers for `view`.
    void build(const MindmapModel& model, const MindmapPalette& palette, const View& view, SpriteAtlas& atlas);
    // Forgets laid-out labels (their glyphs are in an atlas that was cleared).
    void forgetLabels() { m_labels.clear(); }

    const std::vector<Layer>& layers() const { return m_layers; }
    const NodeIndex& index() const { return m_index; }
    const mindmaplook::Box& box(int index) const { return m_boxes[size_t(index)]; }
    int nodeCount() const { return int(m_boxes.size()); }
    // Nodes drawn by the last build, and its vertex and glyph counts.
    int drawnNodes() const { return m_drawn; }
    int vertexCount() const { return m_vertices; }
    int glyphCount() const { return m_glyphs; }
    // Quads a layer holds at most (16-bit indices).
    static constexpr size_t kMaxQuads = 16000;
    bool drewLabels() const { return m_drewLabels; }

    static double opacityOf(Group group, double progress);
    // Whether the name of a node with this look is drawn at `scale` (screen points per point).
    static bool nameShown(MindmapModel::Look look, double scale);
    static bool branchShown(double scale);

private:
    enum class Text : std::uint8_t { Name, BoldName, Branch };
    void indexBoxes(const MindmapModel& model);
    const std::vector<SpriteAtlas::Placed>& label(int node, Text text, const QColor& color, SpriteAtlas& atlas,
                                                 double textScale);
    void addNode(int index, const CachedGraphNode& node, const MindmapModel& model, const MindmapPalette& palette,
                 const View& view, Layer& layer, SpriteAtlas& atlas);
    void addDot(int index, const CachedGraphNode& node, const MindmapPalette& palette, const View& view, Layer& layer,
                SpriteAtlas& atlas);
    // The attention badge `diameter` points wide at `centre`, ringed with `ring`.
    void addAttention(Layer& layer, const MindmapPalette& palette, const QColor& ring, double diameter, QPointF centre,
                      double pixelsPerPoint, SpriteAtlas& atlas);
    // One quad from `sourcePixels` of the atlas onto `target`.
    void addQuad(Layer& layer, const QRectF& target, const QRectF& sourcePixels);
    void addSprite(Layer& layer, int sprite, QPointF centre, double pixelsPerPoint, double growth,
                   const SpriteAtlas& atlas);
    void addNinePatch(Layer& layer, const mindmapsprites::NinePatch& patch, const QRectF& shape, double pixelsPerPoint,
                      const SpriteAtlas& atlas);
    void addGlyphs(Layer& layer, const std::vector<SpriteAtlas::Placed>& glyphs, QPointF origin, double basePixels,
                   QPointF centre, double growth, const SpriteAtlas& atlas);

    std::vector<mindmaplook::Box> m_boxes;
    mindmaplook::Fonts m_fonts;
    NodeIndex m_index;
    // Laid-out labels by node and text, at m_labelScale.
    std::unordered_map<std::uint64_t, std::vector<SpriteAtlas::Placed>> m_labels;
    double m_labelScale = 0;
    std::vector<Layer> m_layers;
    int m_drawn = 0, m_vertices = 0, m_glyphs = 0;
    bool m_drewLabels = false;
};
