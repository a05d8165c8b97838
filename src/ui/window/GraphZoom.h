#pragma once

#include <QObject>
#include <QSizeF>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The zoom and pan state of the Graph mode, shared by the mindmap (which pans) and the
// window's zoom panel (which zooms). Lives as long as the window, so the Graph mode comes
// back at the same place after other screens.
class GraphZoom : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double graphScale READ graphScale WRITE setGraphScale NOTIFY graphScaleChanged)
    Q_PROPERTY(QSizeF graphOffset READ graphOffset WRITE setGraphOffset NOTIFY graphOffsetChanged)
    Q_PROPERTY(QString percentText READ percentText NOTIFY graphScaleChanged)

public:
    static constexpr double initialScale = 0.5;
    static constexpr double step = 1.3;
    static constexpr double maximumScale = 3.0;
    static constexpr double minimumScale = 0.1;

    explicit GraphZoom(QObject* parent = nullptr);

    double graphScale() const { return m_scale; }
    // Any finite positive value is taken as it is (the mindmap may set it); anything else
    // is ignored.
    void setGraphScale(double scale);
    QSizeF graphOffset() const { return m_offset; }
    // Finite offsets only.
    void setGraphOffset(const QSizeF& offset);

    // The scale as a whole percentage truncated toward zero: 0.845 -> "84%".
    QString percentText() const;
    static QString percentText(double scale);

    // Scale x 1.3, at most 3.0.
    static double zoomedIn(double scale);
    // Scale / 1.3; 0.1 when that is 0.1 or less.
    static double zoomedOut(double scale);

    Q_INVOKABLE void zoomIn();
    Q_INVOKABLE void zoomOut();
    // Back to 50% and no offset.
    Q_INVOKABLE void reset();

signals:
    void graphScaleChanged();
    void graphOffsetChanged();

private:
    double m_scale = initialScale;
    QSizeF m_offset{0, 0};
};
