#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QVariantMap>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// Every colour of the user interface, in a light and a dark tone: the named colours, the
// window's surfaces, and the readable foregrounds derived from them. Contrast follows WCAG 2:
// relative luminance of sRGB, ratio (L1 + 0.05) / (L2 + 0.05).
namespace colorscheme {

// The named colours: blue, purple, indigo, orange, green, teal, pink, cyan, yellow, gray, red,
// white, clear, primary, secondary, and the kinds' own brown, turquoise, navy, lime, violet,
// lavender, magenta, mint and ruby.
QStringList names();
// The named colour; gray for an unknown name.
QColor named(const QString& name, bool dark);

// The window's surfaces and lines: "window", "control", "text", "sidebar", "selection",
// "separator", and the style's bevel tones "light", "midlight", "mid", "dark", "shadow".
// Transparent for an unknown role.
QColor surface(const QString& role, bool dark);
// The surfaces that text and badges stand on (window, control, text, sidebar, selection).
QList<QColor> textSurfaces(bool dark);

// `color` at `opacity` (multiplied into its alpha).
QColor withOpacity(const QColor& color, double opacity);
// What a translucent `over` looks like on an opaque `under`.
QColor composite(const QColor& over, const QColor& under);
double relativeLuminance(const QColor& color);
// The WCAG contrast ratio of two colours (translucent ones are composited on `under` first),
// from 1 to 21.
double contrast(const QColor& a, const QColor& b);

// Text and symbols drawn on a fill of `fill` (opaque): white, or the dark primary tone,
// whichever reads better against every one of `fills`.
QColor textOn(const QList<QColor>& fills);
// The text of a badge tinted with the named colour at `opacity`: a darker (light appearance)
// or lighter (dark appearance) tone of the colour that reaches `minimum` contrast on the tint
// over every text surface.
QColor tintedText(const QString& name, double opacity, bool dark, double minimum = 4.5);
// The fill of a prominent button: the accent, darkened until white text on it reaches 4.5.
QColor accentFill(bool dark);

} // namespace colorscheme

// QML access to the colour scheme (Theme.qml wraps it with the current appearance).
class ColorScheme : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit ColorScheme(QObject* parent = nullptr);

    Q_INVOKABLE QColor named(const QString& name, bool dark) const;
    // Every named colour of the appearance, by name.
    Q_INVOKABLE QVariantMap tones(bool dark) const;
    Q_INVOKABLE QColor surface(const QString& role, bool dark) const;
    // textOn for a fill of the named colour (and, when below 1, the same colour at
    // `fadedOpacity` over the control surface, for gradients that fade).
    Q_INVOKABLE QColor textOnNamed(const QString& name, bool dark, double fadedOpacity = 1.0) const;
    Q_INVOKABLE QColor tintedText(const QString& name, double opacity, bool dark, double minimum = 4.5) const;
    Q_INVOKABLE QColor accentFill(bool dark) const;
    Q_INVOKABLE double contrast(const QColor& a, const QColor& b) const;
};
