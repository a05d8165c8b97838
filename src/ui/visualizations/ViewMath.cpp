#include "ViewMath.h"

#include "state/GraphNodeMap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace viewmath {

namespace {
qint64 positiveModulo(qint64 value, qint64 n) { return ((value % n) + n) % n; }
} // namespace

QString treeFolderColor(qint64 depth) {
    static const std::array<const char*, 6> palette = {"blue", "indigo", "purple", "orange", "green", "teal"};
    return QString::fromLatin1(palette[static_cast<size_t>(positiveModulo(depth, 6))]);
}

QString graphFolderColor(qint64 depth) {
    static const std::array<const char*, 7> palette = {"blue",  "purple", "indigo", "orange",
                                                       "green", "teal",   "pink"};
    return QString::fromLatin1(palette[static_cast<size_t>(positiveModulo(depth, 7))]);
}

double treeZoomIn(double scale) { return std::min(scale + 0.2, treeMaxScale); }

double treeZoomOut(double scale) { return std::max(scale - 0.2, treeMinScale); }

double treePinch(double lastScale, double magnification) {
    return std::clamp(lastScale * magnification, treeMinScale, treeMaxScale);
}

QString zoomPercentText(double scale) {
    return QString::number(static_cast<qint64>(std::trunc(scale * 100.0))) + u'%';
}

double graphWheelZoom(double scale, double wheelSteps) {
    return std::clamp(scale * std::pow(1.1, wheelSteps), graphMinScale, graphMaxScale);
}

QStringList ancestorPaths(const QString& path) {
    QStringList result;
    QString p = path;
    for (;;) {
        const qsizetype slash = p.lastIndexOf(u'/');
        if (slash <= 0) break;
        p.truncate(slash);
        result.append(p);
    }
    return result;
}

QSet<QString> highlightPaths(const QString& path, const GraphNodeMap& nodes) {
    QSet<QString> result{path};
    for (const QString& ancestor : ancestorPaths(path)) result.insert(ancestor);
    // Descendants, depth first, with an explicit stack; a path already in the set is not
    // walked twice, so a malformed cycle in childIDs cannot loop forever.
    QStringList stack{path};
    while (!stack.isEmpty()) {
        const QString current = stack.takeLast();
        const CachedGraphNode* node = nodes.find(current);
        if (!node) continue;
        for (auto it = node->childIDs.crbegin(); it != node->childIDs.crend(); ++it) {
            if (result.contains(*it)) continue;
            result.insert(*it);
            stack.append(*it);
        }
    }
    return result;
}

QSizeF centringOffset(const QSizeF& viewport, const QSizeF& canvas) {
    return {(viewport.width() - canvas.width()) * 0.5, (viewport.height() - canvas.height()) * 0.5};
}

QPointF canvasToViewport(const QPointF& p, const QSizeF& canvas, double scale, const QSizeF& offset) {
    const QPointF centre(canvas.width() * 0.5, canvas.height() * 0.5);
    return (p - centre) * scale + centre + QPointF(offset.width(), offset.height());
}

QPointF viewportToCanvas(const QPointF& p, const QSizeF& canvas, double scale, const QSizeF& offset) {
    const QPointF centre(canvas.width() * 0.5, canvas.height() * 0.5);
    if (scale <= 0) return centre;
    return (p - QPointF(offset.width(), offset.height()) - centre) / scale + centre;
}

QRectF visibleCanvasRect(const QSizeF& viewport, const QSizeF& canvas, double scale,
                         const QSizeF& offset) {
    const QPointF topLeft = viewportToCanvas(QPointF(0, 0), canvas, scale, offset);
    const QPointF bottomRight =
        viewportToCanvas(QPointF(viewport.width(), viewport.height()), canvas, scale, offset);
    return QRectF(topLeft, bottomRight).normalized();
}

QSizeF zoomedOffsetAbout(const QPointF& point, const QSizeF& canvas, double scale, double newScale,
                         const QSizeF& offset) {
    const QPointF centre(canvas.width() * 0.5, canvas.height() * 0.5);
    const QPointF under = viewportToCanvas(point, canvas, scale, offset);
    const QPointF shift = point - centre - (under - centre) * newScale;
    return {shift.x(), shift.y()};
}

Fit fitView(const QSizeF& viewport, const QRectF& drawing, const QSizeF& canvas, const QList<QRectF>& covered,
            double padding, double minScale, double maxScale) {
    const QRectF whole(QPointF(0, 0), viewport);
    std::vector<QRectF> obstacles;
    for (const QRectF& r : covered) {
        const QRectF inside = r.intersected(whole);
        if (!inside.isEmpty() && obstacles.size() < 6) obstacles.push_back(inside);
    }
    const double dw = std::max(drawing.width(), 1.0), dh = std::max(drawing.height(), 1.0);
    const auto scaleIn = [&](const QRectF& room) {
        const double w = room.width() - 2 * padding, h = room.height() - 2 * padding;
        return w > 0 && h > 0 ? std::min(w / dw, h / dh) : -1.0;
    };
    // Each obstacle is left out above or below it (bit set) or beside it; the best room wins.
    QRectF best = whole;
    double bestScale = -1;
    for (unsigned choice = 0; choice < (1u << obstacles.size()); ++choice) {
        QRectF room = whole;
        for (size_t i = 0; i < obstacles.size(); ++i) {
            const QRectF& o = obstacles[i];
            if (choice & (1u << i)) {
                if (o.center().y() < whole.center().y()) room.setTop(std::max(room.top(), o.bottom()));
                else room.setBottom(std::min(room.bottom(), o.top()));
            } else if (o.center().x() < whole.center().x()) {
                room.setLeft(std::max(room.left(), o.right()));
            } else {
                room.setRight(std::min(room.right(), o.left()));
            }
        }
        if (const double s = scaleIn(room); s > bestScale) {
            bestScale = s;
            best = room;
        }
    }
    if (!(bestScale > 0)) {
        // No room beside the obstacles, or none at all: the whole viewport, unpadded.
        best = whole;
        bestScale = viewport.isEmpty() ? maxScale : std::min(viewport.width() / dw, viewport.height() / dh);
    }
    const double scale = std::clamp(bestScale, minScale, maxScale);
    const QPointF centre(canvas.width() * 0.5, canvas.height() * 0.5);
    const QPointF shift = best.center() - ((drawing.center() - centre) * scale + centre);
    return {scale, QSizeF(shift.x(), shift.y())};
}

bool DragPan::move(const QPointF& translation, QSizeF* offset) {
    if (!m_active && std::hypot(translation.x(), translation.y()) < m_threshold) return false;
    m_active = true;
    if (offset) *offset = m_lastOffset + QSizeF(translation.x(), translation.y());
    return true;
}

void DragPan::end(const QSizeF& offset) {
    if (m_active) m_lastOffset = offset;
    m_active = false;
}

} // namespace viewmath
