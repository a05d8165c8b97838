#include "MindmapPanner.h"

MindmapPanner::MindmapPanner(QObject* parent) : QObject(parent) {}

QSizeF MindmapPanner::initialize(const QSizeF& viewport, const QSizeF& canvas, const QSizeF& current) {
    if (m_initialized) return current;
    const QSizeF offset = viewmath::centringOffset(viewport, canvas);
    m_pan.setRestingOffset(offset);
    m_initialized = true;
    emit lastOffsetChanged();
    emit hasInitializedChanged();
    return offset;
}

QVariant MindmapPanner::dragMoved(const QPointF& translation, const QSizeF& current) {
    const bool wasActive = m_pan.isActive();
    if (!wasActive) m_pan.setRestingOffset(current);
    QSizeF offset;
    const bool moved = m_pan.move(translation, &offset);
    if (m_pan.isActive() != wasActive) emit draggingChanged();
    return moved ? QVariant(offset) : QVariant();
}

void MindmapPanner::dragEnded(const QSizeF& offset) {
    const bool wasActive = m_pan.isActive();
    m_pan.end(offset);
    if (wasActive) {
        emit lastOffsetChanged();
        emit draggingChanged();
    }
}
