#pragma once

#include "MindmapModel.h"
#include "MindmapPalette.h"
#include "MindmapScene.h"
#include "SpriteAtlas.h"

#include <QPointer>
#include <QQuickItem>
#include <QRectF>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

// The mindmap's nodes, drawn by one item in a few scene-graph nodes: per depth and dimming
// state one geometry of shapes and one of label glyphs from a shared sprite atlas. Only the
// nodes in or near `visibleRect` are built. As many nodes as fit without overlap carry their
// label (MindmapScene); the others are discs, below 25 % dots. Hover and hit tests go through
// a grid index of the nodes.
class MindmapCanvas : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(MindmapModel* model READ model WRITE setModel NOTIFY modelChanged)
    // Named tones of the current appearance ("blue" -> colour, ...).
    Q_PROPERTY(QVariantMap tones READ tones WRITE setTones NOTIFY paletteChanged)
    // "controlBackground" and "textBackground".
    Q_PROPERTY(QVariantMap backgrounds READ backgrounds WRITE setBackgrounds NOTIFY paletteChanged)
    // Screen points per canvas point (the window's zoom).
    Q_PROPERTY(double pixelScale READ pixelScale WRITE setPixelScale NOTIFY pixelScaleChanged)
    // The part of the canvas on screen, in canvas points.
    Q_PROPERTY(QRectF visibleRect READ visibleRect WRITE setVisibleRect NOTIFY visibleRectChanged)
    // 0 -> 1 after a highlight or filter change: dimmed nodes fade over it.
    Q_PROPERTY(double progress READ progress WRITE setProgress NOTIFY progressChanged)
    Q_PROPERTY(QString hoveredPath READ hoveredPath NOTIFY hoveredChanged)
    Q_PROPERTY(QString hoveredName READ hoveredName NOTIFY hoveredChanged)
    Q_PROPERTY(QString hoveredBranch READ hoveredBranch NOTIFY hoveredChanged)
    // The hovered node's box on the canvas, as drawn.
    Q_PROPERTY(QRectF hoveredRect READ hoveredRect NOTIFY hoveredChanged)
    // The union of every node's box, in canvas points.
    Q_PROPERTY(QRectF drawingRect READ drawingRect NOTIFY drawingRectChanged)
    Q_PROPERTY(int drawnNodes READ drawnNodes NOTIFY built)
    // The share of `visibleRect`'s size built beyond it on each side (at least 150 points when
    // above 0), so that short pans need no new build.
    Q_PROPERTY(double buildMargin READ buildMargin WRITE setBuildMargin NOTIFY buildMarginChanged)
    // The canvas rectangle the last build covers (`visibleRect` and the margin).
    Q_PROPERTY(QRectF builtArea READ builtArea NOTIFY built)

public:
    explicit MindmapCanvas(QQuickItem* parent = nullptr);
    ~MindmapCanvas() override;

    MindmapModel* model() const { return m_model; }
    void setModel(MindmapModel* model);
    QVariantMap tones() const { return m_tones; }
    void setTones(const QVariantMap& tones);
    QVariantMap backgrounds() const { return m_backgrounds; }
    void setBackgrounds(const QVariantMap& backgrounds);
    double pixelScale() const { return m_scale; }
    void setPixelScale(double scale);
    QRectF visibleRect() const { return m_visible; }
    void setVisibleRect(const QRectF& rect);
    double progress() const { return m_progress; }
    void setProgress(double progress);
    double buildMargin() const { return m_buildMargin; }
    void setBuildMargin(double margin);

    QString hoveredPath() const;
    QString hoveredName() const;
    QString hoveredBranch() const;
    QRectF hoveredRect() const;
    QRectF drawingRect() const { return m_drawingRect; }
    int drawnNodes() const { return m_scene.drawnNodes(); }
    QRectF builtArea() const { return m_builtArea; }
    const MindmapScene& scene() const { return m_scene; }

    // The path of the topmost node at `point` (canvas points), or "".
    Q_INVOKABLE QString nodeAt(const QPointF& point) const;
    // Sets the hovered node as the pointer at `point` would (also used by tests).
    Q_INVOKABLE void hoverAt(const QPointF& point);
    Q_INVOKABLE void clearHover();
    // The union of the boxes of the project nodes that pass the filter (all of them while
    // nothing filters).
    Q_INVOKABLE QRectF matchBounds() const;

signals:
    void modelChanged();
    void paletteChanged();
    void pixelScaleChanged();
    void visibleRectChanged();
    void buildMarginChanged();
    void progressChanged();
    void hoveredChanged();
    void drawingRectChanged();
    // After the scene was rebuilt.
    void built();
    // The nodes look different (hover, fading, palette, data, scale), not merely built for
    // another area: a picture taken of them is out of date.
    void looksChanged();

protected:
    void updatePolish() override;
    QSGNode* updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData*) override;
    void hoverEnterEvent(QHoverEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;
    void releaseResources() override;

private:
    void graphReset();
    // Marks the scene for rebuilding; `everywhere` also when the built area still covers the view.
    void invalidate();
    void setHovered(int index);

    QPointer<MindmapModel> m_model;
    QVariantMap m_tones, m_backgrounds;
    MindmapPalette m_palette;
    double m_scale = 1.0;
    QRectF m_visible;
    QRectF m_builtArea;
    QRectF m_drawingRect;
    double m_buildMargin = 0.25;
    double m_progress = 1.0;
    int m_hovered = -1;
    bool m_dirty = true;      // the scene must be rebuilt
    bool m_newLayers = false; // the scene-graph nodes must be remade from the scene
    bool m_opacityOnly = false;
    MindmapScene m_scene;
    SpriteAtlas m_atlas;
};
