#pragma once

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QQuickItem>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include "MindmapModel.h"

// Every connection line of the mindmap in one scene-graph geometry: one draw, however many
// lines. Lines are straight (the curve's control points lie on the segment) and drawn as
// quads with a one-pixel soft edge; lines thinner than a pixel on screen as one fainter
// pixel-wide quad. Highlighted lines get a wide faint glow beneath them.
// `progress` runs from 0 to 1 after a highlight change and blends the previous look into
// the new one. The item takes no pointer input.
class ConnectionsCanvas : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(MindmapModel* model READ model WRITE setModel NOTIFY modelChanged)
    // Colour name -> colour ("green" -> #26a148, "secondary" -> ...).
    Q_PROPERTY(QVariantMap colors READ colors WRITE setColors NOTIFY colorsChanged)
    // Canvas points per device-independent pixel on screen is 1 / pixelScale; the soft edge
    // stays one screen pixel wide at any zoom.
    Q_PROPERTY(double pixelScale READ pixelScale WRITE setPixelScale NOTIFY pixelScaleChanged)
    Q_PROPERTY(double progress READ progress WRITE setProgress NOTIFY progressChanged)

public:
    explicit ConnectionsCanvas(QQuickItem* parent = nullptr);

    MindmapModel* model() const { return m_model; }
    void setModel(MindmapModel* model);
    QVariantMap colors() const { return m_colors; }
    void setColors(const QVariantMap& colors);
    double pixelScale() const { return m_pixelScale; }
    void setPixelScale(double scale);
    double progress() const { return m_progress; }
    void setProgress(double progress);

    // The look of one connection for a highlight set.
    struct Stroke {
        double opacity = 0.4;
        double width = 1.5;
        double glowOpacity = 0.0; // the glow is 9 wide at this opacity; 0 when not highlighted
    };
    static Stroke strokeFor(bool highlighted, bool active);
    // The look of the connection `from` -> `to` with `progress` of the way from `before` to `after`.
    static Stroke blendedStroke(const QString& from, const QString& to, const QSet<QString>& before,
                                const QSet<QString>& after, double progress);

    // Number of vertices in the last geometry built (for tests and benchmarks).
    int vertexCount() const { return m_vertexCount; }

signals:
    void modelChanged();
    void colorsChanged();
    void pixelScaleChanged();
    void progressChanged();
    // The lines look different: a picture taken of them is out of date.
    void looksChanged();

protected:
    QSGNode* updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData*) override;

private:
    void restyle();
    QColor colorNamed(const QString& name) const;

    QPointer<MindmapModel> m_model;
    QVariantMap m_colors;
    QHash<QString, QColor> m_colorCache;
    double m_pixelScale = 1.0;
    double m_progress = 1.0;
    int m_vertexCount = 0;
};
