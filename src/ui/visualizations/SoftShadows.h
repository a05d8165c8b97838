#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

// Soft shadows without a layer per item: one small nine-patch image per look (corner radius,
// blur radius, colour), rendered once and shared through the image cache, drawn with a
// BorderImage behind the item. `Shadows.source(16, 8, "#14000000")` is the image URL;
// `Shadows.extent(8)` is how far the image reaches beyond the shape on each side, which is
// also the BorderImage's border beyond the corner radius.
class Shadows : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit Shadows(QObject* parent = nullptr);
    static Shadows* create(QQmlEngine* engine, QJSEngine*);

    Q_INVOKABLE QString source(double cornerRadius, double blurRadius, const QColor& color) const;
    Q_INVOKABLE double extent(double blurRadius) const { return blurExtent(blurRadius); }
    // The BorderImage border (every side) for that look.
    Q_INVOKABLE int border(double cornerRadius, double blurRadius) const;

    static double blurExtent(double blurRadius);
    // Registers the image provider with `engine` unless it has it already.
    static void ensureProvider(QQmlEngine* engine);
    // The nine-patch itself: a rounded rectangle of `cornerRadius` blurred by `blurRadius`
    // (a Gaussian of standard deviation blurRadius / 2), with blurExtent() of room on each side.
    static QImage render(double cornerRadius, double blurRadius, const QColor& color);

    static constexpr const char* providerId = "vizshadow";
};
