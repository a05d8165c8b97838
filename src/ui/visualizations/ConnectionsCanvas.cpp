#include "ConnectionsCanvas.h"

#include "MindmapModel.h"

#include <QSGGeometryNode>
#include <QSGVertexColorMaterial>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct Rgba {
    float r, g, b, a; // straight alpha, 0..1
};

// Appends the two triangles of the quad p0 p1 p2 p3 (in order round the quad), with alpha
// a0 on the p0-p1 edge and a1 on the p2-p3 edge. Colours are premultiplied for the material.
void appendQuad(QList<QSGGeometry::ColoredPoint2D>& out, QPointF p0, QPointF p1, QPointF p2, QPointF p3,
                const Rgba& c, float a0, float a1) {
    auto vertex = [&](QPointF p, float alpha) {
        QSGGeometry::ColoredPoint2D v;
        const float a = std::clamp(alpha, 0.0f, 1.0f);
        v.set(static_cast<float>(p.x()), static_cast<float>(p.y()), static_cast<uchar>(std::lround(c.r * a * 255)),
              static_cast<uchar>(std::lround(c.g * a * 255)), static_cast<uchar>(std::lround(c.b * a * 255)),
              static_cast<uchar>(std::lround(a * 255)));
        return v;
    };
    const auto v0 = vertex(p0, a0), v1 = vertex(p1, a0), v2 = vertex(p2, a1), v3 = vertex(p3, a1);
    out << v0 << v1 << v2 << v0 << v2 << v3;
}

// A straight line from a to b, `width` wide, with a soft edge `feather` wide on each side.
void appendLine(QList<QSGGeometry::ColoredPoint2D>& out, QPointF a, QPointF b, double width, double feather,
                const Rgba& color, double opacity) {
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0 || opacity <= 0 || width <= 0) return;
    const QPointF n(-d.y() / length, d.x() / length);
    if (width < feather) {
        // Thinner than a pixel on screen: one pixel-wide quad, fainter, with no soft edges;
        // a dense graph has thousands of these crossing the view, and every pixel counts.
        const float alpha = static_cast<float>(color.a * opacity * width / feather);
        const QPointF h = n * (feather * 0.5);
        appendQuad(out, a - h, b - h, b + h, a + h, color, alpha, alpha);
        return;
    }
    const double half = width * 0.5;
    const double inner = std::max(half - feather * 0.5, 0.0);
    const double outer = half + feather * 0.5;
    const float core = static_cast<float>(color.a * opacity);
    if (inner > 0) appendQuad(out, a - n * inner, b - n * inner, b + n * inner, a + n * inner, color, core, core);
    appendQuad(out, a + n * inner, b + n * inner, b + n * outer, a + n * outer, color, core, 0.0f);
    appendQuad(out, a - n * inner, b - n * inner, b - n * outer, a - n * outer, color, core, 0.0f);
}

} // namespace

ConnectionsCanvas::ConnectionsCanvas(QQuickItem* parent) : QQuickItem(parent) {
    setFlag(ItemHasContents, true);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

void ConnectionsCanvas::setModel(MindmapModel* model) {
    if (m_model == model) return;
    if (m_model) disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model) {
        connect(model, &MindmapModel::graphChanged, this, &ConnectionsCanvas::restyle);
        connect(model, &MindmapModel::highlightChanged, this, &ConnectionsCanvas::restyle);
        // A fresh record may bring another kind, and its connection another colour.
        connect(model, &MindmapModel::nodeChanged, this, &ConnectionsCanvas::restyle);
    }
    restyle();
    emit modelChanged();
}

void ConnectionsCanvas::setColors(const QVariantMap& colors) {
    if (m_colors == colors) return;
    m_colors = colors;
    m_colorCache.clear();
    restyle();
    emit colorsChanged();
}

void ConnectionsCanvas::setPixelScale(double scale) {
    if (qFuzzyCompare(m_pixelScale, scale)) return;
    m_pixelScale = scale;
    restyle();
    emit pixelScaleChanged();
}

void ConnectionsCanvas::setProgress(double progress) {
    progress = std::clamp(progress, 0.0, 1.0);
    if (qFuzzyCompare(m_progress + 1, progress + 1)) return;
    m_progress = progress;
    restyle();
    emit progressChanged();
}

void ConnectionsCanvas::restyle() {
    update();
    emit looksChanged();
}

ConnectionsCanvas::Stroke ConnectionsCanvas::strokeFor(bool highlighted, bool active) {
    if (highlighted) return {0.85, 3.0, 0.3};
    return {active ? 0.4 : 0.1, 1.5, 0.0};
}

ConnectionsCanvas::Stroke ConnectionsCanvas::blendedStroke(const QString& from, const QString& to,
                                                           const QSet<QString>& before,
                                                           const QSet<QString>& after, double progress) {
    auto look = [&](const QSet<QString>& h) {
        const bool highlighted = h.contains(from) && h.contains(to);
        return strokeFor(highlighted, h.isEmpty() || highlighted);
    };
    const Stroke b = look(after);
    if (progress >= 1.0) return b;
    const Stroke a = look(before);
    auto mix = [progress](double x, double y) { return x + (y - x) * progress; };
    return {mix(a.opacity, b.opacity), mix(a.width, b.width), mix(a.glowOpacity, b.glowOpacity)};
}

QColor ConnectionsCanvas::colorNamed(const QString& name) const {
    auto it = m_colorCache.constFind(name);
    if (it != m_colorCache.constEnd()) return *it;
    QColor c = m_colors.value(name).value<QColor>();
    if (!c.isValid()) c = m_colors.value(QStringLiteral("gray"), QColor(Qt::gray)).value<QColor>();
    if (!c.isValid()) c = QColor(Qt::gray);
    const_cast<ConnectionsCanvas*>(this)->m_colorCache.insert(name, c);
    return c;
}

QSGNode* ConnectionsCanvas::updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData*) {
    auto* node = static_cast<QSGGeometryNode*>(oldNode);
    if (!node) {
        node = new QSGGeometryNode;
        auto* geometry = new QSGGeometry(QSGGeometry::defaultAttributes_ColoredPoint2D(), 0);
        geometry->setDrawingMode(QSGGeometry::DrawTriangles);
        node->setGeometry(geometry);
        node->setFlag(QSGNode::OwnsGeometry);
        auto* material = new QSGVertexColorMaterial;
        // Not merged with other geometry: panning moves the matrix, not the vertices.
        material->setFlag(QSGMaterial::RequiresFullMatrix);
        node->setMaterial(material);
        node->setFlag(QSGNode::OwnsMaterial);
    }

    QList<QSGGeometry::ColoredPoint2D> vertices;
    if (m_model && m_model->isReady()) {
        const CachedGraphData& graph = m_model->graph();
        const QSet<QString>& before = m_model->previousHighlightedPaths();
        const QSet<QString>& after = m_model->highlightedPaths();
        const double feather = 1.0 / std::max(m_pixelScale, 0.05);
        vertices.reserve(graph.connections.size() * 18);
        for (const CachedGraphConnection& connection : graph.connections) {
            const CachedGraphNode* a = graph.nodes.find(connection.fromPath);
            const CachedGraphNode* b = graph.nodes.find(connection.toPath);
            if (!a || !b) continue;
            const Stroke s = blendedStroke(connection.fromPath, connection.toPath, before, after, m_progress);
            const QColor qc = colorNamed(connection.color);
            const Rgba c{static_cast<float>(qc.redF()), static_cast<float>(qc.greenF()),
                         static_cast<float>(qc.blueF()), static_cast<float>(qc.alphaF())};
            if (s.glowOpacity > 0) appendLine(vertices, a->position, b->position, 9.0, feather, c, s.glowOpacity);
            appendLine(vertices, a->position, b->position, s.width, feather, c, s.opacity);
        }
    }

    QSGGeometry* geometry = node->geometry();
    geometry->allocate(static_cast<int>(vertices.size()));
    if (!vertices.isEmpty())
        std::memcpy(geometry->vertexDataAsColoredPoint2D(), vertices.constData(),
                    sizeof(QSGGeometry::ColoredPoint2D) * static_cast<size_t>(vertices.size()));
    m_vertexCount = static_cast<int>(vertices.size());
    node->markDirty(QSGNode::DirtyGeometry);
    return node;
}
