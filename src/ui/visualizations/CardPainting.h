#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// The header band of a project card: a diagonal gradient of the kind's colour (full at the
// top-left corner, 0.7 at the bottom-right) under white diagonal stripes, with the card's
// rounded top corners.
class CardHeaderBand : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY cornerRadiusChanged)

public:
    explicit CardHeaderBand(QQuickItem* parent = nullptr);
    void paint(QPainter* painter) override;

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);

    // Start x of each stripe of a band `width` wide: 0, 30, 60, ... while below the width.
    // Each stripe runs from (x, 0) to (x + h, h).
    static QList<double> stripeStarts(double width);

signals:
    void colorChanged();
    void cornerRadiusChanged();

private:
    QColor m_color = Qt::gray;
    double m_cornerRadius = 16;
};

// The track and the progress arc of a health ring: 4 wide, the arc from the top clockwise
// over `value` (0 to 1) of the circle, with round caps.
class HealthRingArc : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QColor trackColor READ trackColor WRITE setTrackColor NOTIFY trackColorChanged)

public:
    explicit HealthRingArc(QQuickItem* parent = nullptr);
    void paint(QPainter* painter) override;

    double value() const { return m_value; }
    void setValue(double value);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    QColor trackColor() const { return m_trackColor; }
    void setTrackColor(const QColor& color);

signals:
    void valueChanged();
    void colorChanged();
    void trackColorChanged();

private:
    double m_value = 0;
    QColor m_color = Qt::white;
    QColor m_trackColor = QColor(255, 255, 255, 77);
};
