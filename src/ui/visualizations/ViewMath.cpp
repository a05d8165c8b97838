#include "ViewMath.h"

#include "state/GraphNodeMap.h"

#include <algorithm>
#include <array>
#include <cmath>

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
