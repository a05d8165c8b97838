#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QQuickPaintedItem>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

// The header band of a project card in one painted item: a diagonal gradient of the kind's
// colour (full at the top-left corner, 0.7 at the bottom-right) under white diagonal stripes,
// with the card's rounded top corners; the kind's symbol (40, 12 from the top right corner);
// and the health ring (36 x 36, 12 from the bottom left corner): a track and an arc 4 wide,
// the arc from the top clockwise over the health score, with the health label inside.
class CardHeaderBand : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY lookChanged)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY lookChanged)
    Q_PROPERTY(QString symbol READ symbol WRITE setSymbol NOTIFY lookChanged)
    Q_PROPERTY(QColor symbolColor READ symbolColor WRITE setSymbolColor NOTIFY lookChanged)
    // The ring's arc and label; the track is this colour at opacity 0.3.
    Q_PROPERTY(QColor ringColor READ ringColor WRITE setRingColor NOTIFY lookChanged)
    Q_PROPERTY(QFont labelFont READ labelFont WRITE setLabelFont NOTIFY lookChanged)
    // The project list's "lastModified": a date, or null when unknown.
    Q_PROPERTY(QVariant lastModified READ lastModified WRITE setLastModified NOTIFY healthChanged)
    Q_PROPERTY(double healthScore READ healthScore NOTIFY healthChanged)
    Q_PROPERTY(QString healthLabel READ healthLabel NOTIFY healthChanged)

public:
    explicit CardHeaderBand(QQuickItem* parent = nullptr);
    void paint(QPainter* painter) override;

    QColor color() const { return m_color; }
    void setColor(const QColor& color) { setLook(m_color, color); }
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius) { setLook(m_cornerRadius, radius); }
    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol) { setLook(m_symbol, symbol); }
    QColor symbolColor() const { return m_symbolColor; }
    void setSymbolColor(const QColor& color) { setLook(m_symbolColor, color); }
    QColor ringColor() const { return m_ringColor; }
    void setRingColor(const QColor& color) { setLook(m_ringColor, color); }
    QFont labelFont() const { return m_labelFont; }
    void setLabelFont(const QFont& font) { setLook(m_labelFont, font); }
    QVariant lastModified() const { return m_lastModified; }
    void setLastModified(const QVariant& date);
    double healthScore() const { return m_healthScore; }
    QString healthLabel() const { return m_healthLabel; }

    // Start x of each stripe of a band `width` wide: 0, 30, 60, ... while below the width.
    // Each stripe runs from (x, 0) to (x + h, h).
    static QList<double> stripeStarts(double width);

signals:
    void lookChanged();
    void healthChanged();

private:
    template <typename T>
    void setLook(T& field, const T& value) {
        if (field == value) return;
        field = value;
        update();
        emit lookChanged();
    }
    void paintSymbol(QPainter* painter, const QRectF& box) const;
    void paintRing(QPainter* painter, const QRectF& box) const;

    QColor m_color = Qt::gray;
    double m_cornerRadius = 16;
    QString m_symbol;
    QColor m_symbolColor = QColor(255, 255, 255, 77);
    QColor m_ringColor = Qt::white;
    QFont m_labelFont;
    QVariant m_lastModified;
    double m_healthScore = 0;
    QString m_healthLabel = QStringLiteral("?");
};

// The 14 cells of a card's activity strip in one painted item: a row along the item's bottom,
// `stripHeight` high, 2 between cells, each cell a rounded rectangle of radius 2, (width - 26)
// / 14 wide, filled as health::activityCell grades it (active colour or idle colour at the
// cell's opacity). Whatever the item holds above the strip (its labels) is left alone.
class ActivityStrip : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QVariant lastModified READ lastModified WRITE setLastModified NOTIFY changed)
    Q_PROPERTY(QString seed READ seed WRITE setSeed NOTIFY changed)
    Q_PROPERTY(QColor activeColor READ activeColor WRITE setActiveColor NOTIFY changed)
    Q_PROPERTY(QColor idleColor READ idleColor WRITE setIdleColor NOTIFY changed)
    Q_PROPERTY(double stripHeight READ stripHeight WRITE setStripHeight NOTIFY changed)

public:
    explicit ActivityStrip(QQuickItem* parent = nullptr);
    void paint(QPainter* painter) override;

    QVariant lastModified() const { return m_lastModified; }
    void setLastModified(const QVariant& date) { set(m_lastModified, date); }
    QString seed() const { return m_seed; }
    void setSeed(const QString& seed) { set(m_seed, seed); }
    QColor activeColor() const { return m_activeColor; }
    void setActiveColor(const QColor& color) { set(m_activeColor, color); }
    QColor idleColor() const { return m_idleColor; }
    void setIdleColor(const QColor& color) { set(m_idleColor, color); }
    double stripHeight() const { return m_stripHeight; }
    void setStripHeight(double height) { set(m_stripHeight, height); }

    // The fill of cell `index` (0 to 13) against the clock at `now`.
    QColor cellColor(int index, const QDateTime& now) const;
    Q_INVOKABLE QColor cellColor(int index) const { return cellColor(index, QDateTime::currentDateTime()); }

signals:
    void changed();

private:
    template <typename T>
    void set(T& field, const T& value) {
        if (field == value) return;
        field = value;
        update();
        emit changed();
    }

    QVariant m_lastModified;
    QString m_seed;
    QColor m_activeColor = Qt::green;
    QColor m_idleColor = Qt::gray;
    double m_stripHeight = 20;
};
