#include "ShapeMesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr double kQuarterTurn = 1.5707963267948966;
} // namespace

QColor ShapeMesh::Paint::at(QPointF p) const {
    if (!gradient) return start;
    const QPointF d = to - from;
    const double length2 = d.x() * d.x() + d.y() * d.y();
    double t = length2 > 0 ? ((p.x() - from.x()) * d.x() + (p.y() - from.y()) * d.y()) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](double a, double b) { return a + (b - a) * t; };
    return QColor::fromRgbF(float(mix(start.redF(), end.redF())), float(mix(start.greenF(), end.greenF())),
                            float(mix(start.blueF(), end.blueF())), float(mix(start.alphaF(), end.alphaF())));
}

int ShapeMesh::segmentsFor(double screenRadius) {
    if (!(screenRadius > 0)) return 1;
    return std::clamp(int(std::ceil(std::sqrt(screenRadius))), 1, 8);
}

std::vector<QPointF> ShapeMesh::roundedRect(const QRectF& rect, double radius, int segments) {
    segments = std::max(segments, 1);
    const double r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    const QPointF centres[4] = {{rect.right() - r, rect.top() + r},
                                {rect.right() - r, rect.bottom() - r},
                                {rect.left() + r, rect.bottom() - r},
                                {rect.left() + r, rect.top() + r}};
    std::vector<QPointF> points;
    points.reserve(size_t(4 * (segments + 1)));
    for (int corner = 0; corner < 4; ++corner) {
        const double first = -kQuarterTurn + corner * kQuarterTurn;
        for (int s = 0; s <= segments; ++s) {
            const double a = first + kQuarterTurn * s / segments;
            points.emplace_back(centres[corner].x() + r * std::cos(a), centres[corner].y() + r * std::sin(a));
        }
    }
    return points;
}

std::uint32_t ShapeMesh::addVertex(QPointF p, const QColor& c, float alpha) {
    const float a = std::clamp(float(c.alphaF()) * alpha, 0.0f, 1.0f);
    Vertex v;
    // Premultiplied, as the vertex colour material expects.
    v.set(float(p.x()), float(p.y()), uchar(std::lround(c.redF() * a * 255)), uchar(std::lround(c.greenF() * a * 255)),
          uchar(std::lround(c.blueF() * a * 255)), uchar(std::lround(a * 255)));
    m_vertices.push_back(v);
    return std::uint32_t(m_vertices.size() - 1);
}

void ShapeMesh::addProfile(const QRectF& rect, double radius, const std::vector<Stop>& stops, int segments,
                           bool hollow) {
    if (stops.empty() || !rect.isValid()) return;
    const QPointF centre = rect.center();
    const std::uint32_t fanCentre = hollow ? 0 : addVertex(centre, stops.front().paint.at(centre), stops.front().alpha);
    std::uint32_t previous = 0;
    size_t count = 0;
    for (size_t k = 0; k < stops.size(); ++k) {
        const double d = stops[k].offset;
        // Grown (or shrunk) by d on every side; never past the centre line.
        const double halfW = std::max(rect.width() / 2 + d, 0.0);
        const double halfH = std::max(rect.height() / 2 + d, 0.0);
        const QRectF loopRect(centre.x() - halfW, centre.y() - halfH, 2 * halfW, 2 * halfH);
        const std::vector<QPointF> loop = roundedRect(loopRect, std::max(radius + d, 0.0), segments);
        const std::uint32_t first = std::uint32_t(m_vertices.size());
        for (const QPointF& p : loop) addVertex(p, stops[k].paint.at(p), stops[k].alpha);
        count = loop.size();
        for (size_t i = 0; i < count; ++i) {
            const std::uint32_t a = std::uint32_t(i), b = std::uint32_t((i + 1) % count);
            if (k == 0) {
                if (hollow) continue;
                m_indices.insert(m_indices.end(), {fanCentre, first + a, first + b});
            } else {
                m_indices.insert(m_indices.end(), {previous + a, previous + b, first + b, previous + a, first + b, first + a});
            }
        }
        previous = first;
    }
}

void ShapeMesh::addShape(const QRectF& rect, double radius, const Paint& fill, const QColor& stroke,
                         double strokeWidth, double feather, int segments) {
    const double f = std::max(feather, 1e-6);
    const bool outlined = strokeWidth > 0 && stroke.alpha() > 0;
    if (!outlined) {
        addProfile(rect, radius, {{-f / 2, fill, 1.0f}, {f / 2, fill, 0.0f}}, segments);
        return;
    }
    // An outline thinner than the soft edge is drawn fainter instead.
    const Paint line = Paint::solid(stroke);
    const float strength = float(std::min(1.0, strokeWidth / f));
    const double inner = -std::max(strokeWidth, f);
    addProfile(rect, radius,
               {{inner - f / 2, fill, 1.0f}, {inner + f / 2, line, strength}, {-f / 2, line, strength},
                {f / 2, line, 0.0f}},
               segments);
}

void ShapeMesh::addShadow(const QRectF& rect, double radius, const QColor& color, double blur, int segments,
                          bool hollow) {
    if (!(blur > 0) || color.alpha() == 0) return;
    const Paint paint = Paint::solid(color);
    addProfile(rect, radius, {{-blur, paint, 1.0f}, {blur, paint, 0.0f}}, segments, hollow);
}

QSGGeometry* ShapeMesh::newGeometry() {
    auto* geometry = new QSGGeometry(QSGGeometry::defaultAttributes_ColoredPoint2D(), 0, 0, QSGGeometry::UnsignedShortType);
    geometry->setDrawingMode(QSGGeometry::DrawTriangles);
    return geometry;
}

void ShapeMesh::copyTo(QSGGeometry* geometry) const {
    geometry->allocate(int(m_vertices.size()), int(m_indices.size()));
    if (!m_vertices.empty())
        std::memcpy(geometry->vertexDataAsColoredPoint2D(), m_vertices.data(), sizeof(Vertex) * m_vertices.size());
    quint16* out = geometry->indexDataAsUShort();
    for (size_t i = 0; i < m_indices.size(); ++i) out[i] = quint16(m_indices[i]);
}
