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
// glyphs), drawn in node order within a layer. Which nodes carry their label is chosen when
// the zoom or the highlight, filter or selection changes (see LabelChoice); a labelled node is
// drawn as its card, the others as their disc (or dot). Built on the GUI thread; the canvas
// copies the layers into scene-graph nodes.
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
    // The highlight, filter or selection changed: the labels are chosen again at the next build.
    void flagsChanged() { m_choiceStale = true; }

    // Whether the node at `index` carries its label (the hovered one always does), and how
    // much it is grown for it.
    bool labelled(int index, int hovered) const;
    double growthOf(int index, int hovered) const;
    // The node's box as drawn, in canvas points.
    QRectF shownRect(int index, int hovered) const;
    // The topmost node whose drawn box holds `point`, or -1.
    int nodeAt(QPointF point, int hovered) const;
    // The union of the boxes of these nodes at 100 %; empty for none.
    QRectF bounds(const std::vector<int>& indices) const;

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
    // Layer depths of the labelled nodes (above the others) and of the hovered one.
    static constexpr qint64 kLabelledLayers = 1 << 16;
    static constexpr qint64 kTopLayer = qint64(1) << 40;

private:
    enum class Text : std::uint8_t { Name, BoldName, Branch };
    void indexBoxes(const MindmapModel& model);
    void orderLabels(const MindmapModel& model);
    void chooseLabels(const MindmapModel& model, double scale);
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
    float m_maxHalfWidth = 0, m_maxHalfHeight = 0;
    // Node indices by label priority; the labelled flags and the scale they were chosen for.
    std::vector<int> m_order;
    std::vector<std::uint8_t> m_labelled;
    double m_choiceScale = 1;
    bool m_choiceStale = true;
    // Laid-out labels by node and text, at m_labelScale.
    std::unordered_map<std::uint64_t, std::vector<SpriteAtlas::Placed>> m_labels;
    double m_labelScale = 0;
    std::vector<Layer> m_layers;
    int m_drawn = 0, m_vertices = 0, m_glyphs = 0;
    bool m_drewLabels = false;
};
