#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSGGeometry>

#include <cstdint>
#include <vector>

// Triangles with a colour per vertex for the mindmap's shapes: rounded rectangles, capsules
// and discs with fills, outlines, gradients and soft shadows, all with edges that fade out
// over `feather` (one screen pixel in canvas units), so they are antialiased without
// multisampling. Vertices and indices go into growing arrays that become one geometry.
class ShapeMesh {
public:
    using Vertex = QSGGeometry::ColoredPoint2D;

    // A colour, or a linear gradient between two colours from `from` to `to` (positions
    // outside the segment take the nearer end's colour).
    struct Paint {
        QColor start;
        QColor end;
        QPointF from, to;
        bool gradient = false;
        static Paint solid(const QColor& c) { return {c, c, {}, {}, false}; }
        QColor at(QPointF p) const;
    };

    // The outline of a rounded rectangle (corner radius clamped to half the shorter side),
    // `segments` straight pieces per corner.
    static std::vector<QPointF> roundedRect(const QRectF& rect, double radius, int segments);

    // Segments per corner for a corner `screenRadius` device pixels wide: enough that the
    // arc looks round, few for small shapes.
    static int segmentsFor(double screenRadius);

    // Filled shape with an optional outline of `strokeWidth` (drawn inside the edge) and a
    // soft outer edge.
    void addShape(const QRectF& rect, double radius, const Paint& fill, const QColor& stroke, double strokeWidth,
                  double feather, int segments);
    // A soft shadow of the shape: `color` inside, fading to nothing `blur` beyond the edge.
    // `hollow` leaves out the part more than `blur` inside the edge (under an opaque shape).
    void addShadow(const QRectF& rect, double radius, const QColor& color, double blur, int segments,
                   bool hollow = false);

    const std::vector<Vertex>& vertices() const { return m_vertices; }
    const std::vector<std::uint32_t>& indices() const { return m_indices; }
    void clear() {
        m_vertices.clear();
        m_indices.clear();
    }
    // Vertices one geometry can hold with 16-bit indices (which every renderer merges).
    static constexpr size_t kMaxVertices = 65535;
    // Copies the triangles into `geometry` (reallocated to fit; at most kMaxVertices).
    void copyTo(QSGGeometry* geometry) const;
    // A geometry of the right attributes for copyTo.
    static QSGGeometry* newGeometry();

private:
    struct Stop {
        double offset; // from the edge: negative inside, positive outside
        Paint paint;
        float alpha;   // multiplies the paint's own alpha
    };
    // Concentric outlines at each stop, the bands between them filled, the innermost
    // outline filled from its centre unless `hollow`.
    void addProfile(const QRectF& rect, double radius, const std::vector<Stop>& stops, int segments,
                    bool hollow = false);
    std::uint32_t addVertex(QPointF p, const QColor& c, float alpha);

    std::vector<Vertex> m_vertices;
    std::vector<std::uint32_t> m_indices;
};
