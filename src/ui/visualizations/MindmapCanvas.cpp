#include "MindmapCanvas.h"

#include <QGuiApplication>
#include <QQuickWindow>
#include <QSGGeometryNode>
#include <QSGOpacityNode>
#include <QSGTexture>
#include <QSGTextureMaterial>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

// The canvas's scene-graph root: one opacity node per layer, and the atlas texture they share.
class CanvasNode : public QSGNode {
public:
    ~CanvasNode() override { delete texture; }
    QSGTexture* texture = nullptr;
    std::vector<std::pair<QSGOpacityNode*, MindmapScene::Group>> layers;
};

QSGGeometryNode* layerNode(const MindmapScene::Layer& layer, QSGTexture* texture) {
    auto* node = new QSGGeometryNode;
    auto* geometry = new QSGGeometry(QSGGeometry::defaultAttributes_TexturedPoint2D(), int(layer.vertices.size()),
                                     int(layer.indices.size()), QSGGeometry::UnsignedShortType);
    geometry->setDrawingMode(QSGGeometry::DrawTriangles);
    std::memcpy(geometry->vertexDataAsTexturedPoint2D(), layer.vertices.data(),
                sizeof(QSGGeometry::TexturedPoint2D) * layer.vertices.size());
    std::memcpy(geometry->indexDataAsUShort(), layer.indices.data(), sizeof(std::uint16_t) * layer.indices.size());
    node->setGeometry(geometry);
    node->setFlag(QSGNode::OwnsGeometry);
    auto* material = new QSGTextureMaterial;
    material->setTexture(texture);
    material->setFiltering(QSGTexture::Linear);
    // Drawn with the full matrix, not merged: the vertices stay in their buffer while the
    // canvas pans, instead of being transformed again on every frame.
    material->setFlag(QSGMaterial::RequiresFullMatrix);
    node->setMaterial(material);
    node->setFlag(QSGNode::OwnsMaterial);
    return node;
}

} // namespace

MindmapCanvas::MindmapCanvas(QQuickItem* parent) : QQuickItem(parent) {
    setFlag(ItemHasContents, true);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(true);
}

MindmapCanvas::~MindmapCanvas() = default;

void MindmapCanvas::setModel(MindmapModel* model) {
    if (m_model == model) return;
    if (m_model) disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model) {
        connect(model, &MindmapModel::graphChanged, this, &MindmapCanvas::graphReset);
        connect(model, &MindmapModel::flagsChanged, this, [this] {
            m_scene.flagsChanged();
            invalidate();
        });
        connect(model, &MindmapModel::nodeChanged, this, [this](int index) {
            m_scene.updateNode(*m_model, index);
            invalidate();
        });
    }
    graphReset();
    emit modelChanged();
}

void MindmapCanvas::graphReset() {
    m_hovered = -1;
    if (m_model) m_scene.setGraph(*m_model, QGuiApplication::font());
    std::vector<int> all(size_t(m_scene.nodeCount()));
    std::iota(all.begin(), all.end(), 0);
    if (const QRectF drawing = m_scene.bounds(all); drawing != m_drawingRect) {
        m_drawingRect = drawing;
        emit drawingRectChanged();
    }
    emit hoveredChanged();
    invalidate();
}

void MindmapCanvas::invalidate() {
    m_dirty = true;
    polish();
    emit looksChanged();
}

void MindmapCanvas::setTones(const QVariantMap& tones) {
    if (tones == m_tones) return;
    m_tones = tones;
    m_palette = MindmapPalette::from(m_tones, m_backgrounds);
    m_atlas.clear();
    m_scene.forgetLabels();
    invalidate();
    emit paletteChanged();
}

void MindmapCanvas::setBackgrounds(const QVariantMap& backgrounds) {
    if (backgrounds == m_backgrounds) return;
    m_backgrounds = backgrounds;
    m_palette = MindmapPalette::from(m_tones, m_backgrounds);
    invalidate();
    emit paletteChanged();
}

void MindmapCanvas::setPixelScale(double scale) {
    if (!(scale > 0) || scale == m_scale) return;
    m_scale = scale;
    invalidate();
    emit pixelScaleChanged();
}

void MindmapCanvas::setVisibleRect(const QRectF& rect) {
    if (rect == m_visible) return;
    m_visible = rect;
    if (!m_builtArea.contains(rect)) polish();
    emit visibleRectChanged();
}

void MindmapCanvas::setBuildMargin(double margin) {
    margin = std::max(margin, 0.0);
    if (margin == m_buildMargin) return;
    m_buildMargin = margin;
    polish();
    emit buildMarginChanged();
}

void MindmapCanvas::setProgress(double progress) {
    progress = std::clamp(progress, 0.0, 1.0);
    if (progress == m_progress) return;
    m_progress = progress;
    update();
    emit looksChanged();
    emit progressChanged();
}

void MindmapCanvas::updatePolish() {
    if (!m_model) return;
    const bool covered = !m_builtArea.isEmpty() && m_builtArea.contains(m_visible);
    if (!m_dirty && covered) return;
    QRectF area = m_visible.isEmpty() ? QRectF(0, 0, m_model->canvasWidth(), m_model->canvasHeight()) : m_visible;
    const double mx = m_buildMargin > 0 ? std::max(area.width() * m_buildMargin, 150.0) : 0;
    const double my = m_buildMargin > 0 ? std::max(area.height() * m_buildMargin, 150.0) : 0;
    area.adjust(-mx, -my, mx, my);
    const double ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    m_scene.build(*m_model, m_palette, {area, m_scale, ratio, m_hovered}, m_atlas);
    m_builtArea = area;
    m_dirty = false;
    m_newLayers = true;
    update();
    emit built();
}

QSGNode* MindmapCanvas::updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData*) {
    auto* root = static_cast<CanvasNode*>(oldNode);
    if (!root) {
        root = new CanvasNode;
        m_newLayers = true;
    }
    if (m_newLayers) {
        for (auto& [node, group] : root->layers) {
            root->removeChildNode(node);
            delete node; // and its geometry nodes with it
        }
        root->layers.clear();
        if ((m_atlas.isDirty() || !root->texture) && !m_atlas.image().isNull() && window()) {
            delete root->texture;
            root->texture = window()->createTextureFromImage(m_atlas.image());
            m_atlas.markUploaded();
        }
        for (const MindmapScene::Layer& layer : m_scene.layers()) {
            auto* opacity = new QSGOpacityNode;
            opacity->setOpacity(MindmapScene::opacityOf(layer.group, m_progress));
            if (!layer.indices.empty() && root->texture) opacity->appendChildNode(layerNode(layer, root->texture));
            root->appendChildNode(opacity);
            root->layers.emplace_back(opacity, layer.group);
        }
        m_newLayers = false;
    } else {
        for (auto& [node, group] : root->layers) node->setOpacity(MindmapScene::opacityOf(group, m_progress));
    }
    return root;
}

void MindmapCanvas::releaseResources() {
    // The scene graph deletes the nodes and the texture with them; the atlas image goes too.
    m_atlas.clear();
    m_scene.forgetLabels();
    m_newLayers = true;
    m_dirty = true;
}

QString MindmapCanvas::nodeAt(const QPointF& point) const {
    if (!m_model) return {};
    const int index = m_scene.nodeAt(point, m_hovered);
    return index >= 0 ? m_model->graph().flatNodes.at(index).fullPath : QString();
}

void MindmapCanvas::setHovered(int index) {
    if (index == m_hovered) return;
    m_hovered = index;
    invalidate();
    emit hoveredChanged();
}

void MindmapCanvas::hoverAt(const QPointF& point) { setHovered(m_scene.nodeAt(point, m_hovered)); }
void MindmapCanvas::clearHover() { setHovered(-1); }
void MindmapCanvas::hoverEnterEvent(QHoverEvent* event) { hoverAt(event->position()); }
void MindmapCanvas::hoverMoveEvent(QHoverEvent* event) { hoverAt(event->position()); }
void MindmapCanvas::hoverLeaveEvent(QHoverEvent*) { clearHover(); }

QString MindmapCanvas::hoveredPath() const {
    return m_model && m_hovered >= 0 && m_hovered < m_model->nodeCount() ? m_model->graph().flatNodes.at(m_hovered).fullPath
                                                                          : QString();
}

QString MindmapCanvas::hoveredName() const {
    if (!m_model || m_hovered < 0 || m_hovered >= m_model->nodeCount()) return {};
    return m_model->graph().flatNodes.at(m_hovered).name.left(1000);
}

QString MindmapCanvas::hoveredBranch() const {
    if (!m_model || m_hovered < 0 || m_hovered >= m_model->nodeCount()) return {};
    const CachedGraphNode& node = m_model->graph().flatNodes.at(m_hovered);
    return node.project && node.project->gitBranch ? node.project->gitBranch->left(1000) : QString();
}

QRectF MindmapCanvas::hoveredRect() const { return m_scene.shownRect(m_hovered, m_hovered); }

QRectF MindmapCanvas::matchBounds() const {
    std::vector<int> matches;
    for (int i = 0; m_model && i < m_scene.nodeCount(); ++i)
        if (m_scene.box(i).look == MindmapModel::ProjectNode && m_model->matchedAt(i)) matches.push_back(i);
    return m_scene.bounds(matches);
}
