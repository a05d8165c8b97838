#include "ColorScheme.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace colorscheme {

namespace {

struct Tone {
    const char* light;
    const char* dark;
};

const QHash<QString, Tone>& namedTones() {
    static const QHash<QString, Tone> tones = {
        {QStringLiteral("blue"), {"#0a6cde", "#3d94ff"}},
        {QStringLiteral("purple"), {"#9a4ad0", "#c17bf0"}},
        {QStringLiteral("indigo"), {"#5856d6", "#7d7bf2"}},
        {QStringLiteral("orange"), {"#f08c00", "#ffa033"}},
        {QStringLiteral("green"), {"#26a148", "#3ccf67"}},
        {QStringLiteral("teal"), {"#2a9fb4", "#4cc6d8"}},
        {QStringLiteral("pink"), {"#e8365d", "#ff5c80"}},
        {QStringLiteral("cyan"), {"#1a9bd7", "#5acbf5"}},
        {QStringLiteral("yellow"), {"#d9a900", "#ffd426"}},
        {QStringLiteral("gray"), {"#8a8a8f", "#98989d"}},
        {QStringLiteral("red"), {"#e0352b", "#ff5a4f"}},
        {QStringLiteral("white"), {"#ffffff", "#ffffff"}},
        {QStringLiteral("clear"), {"#00000000", "#00000000"}},
        {QStringLiteral("primary"), {"#1f1f21", "#f0f0f2"}},
        {QStringLiteral("secondary"), {"#5f5f64", "#a8a8ad"}},
        // Tones of the project kinds beyond the system's colours, each far enough from the
        // others to tell the kinds apart.
        {QStringLiteral("brown"), {"#b5471b", "#f0875a"}},
        {QStringLiteral("turquoise"), {"#00a3a3", "#35d0c8"}},
        {QStringLiteral("navy"), {"#00599c", "#2f6fc0"}},
        {QStringLiteral("lime"), {"#7a9e00", "#b5e14a"}},
        {QStringLiteral("violet"), {"#6a3fd0", "#9c7cf2"}},
        {QStringLiteral("lavender"), {"#8f94dc", "#c4b8f5"}},
        {QStringLiteral("magenta"), {"#b3279f", "#e36ad4"}},
        {QStringLiteral("mint"), {"#16a37a", "#7fe3a8"}},
        {QStringLiteral("ruby"), {"#c0143c", "#ff5f7a"}},
    };
    return tones;
}

const QHash<QString, Tone>& surfaceTones() {
    static const QHash<QString, Tone> tones = {
        {QStringLiteral("window"), {"#f6f5f4", "#242424"}},
        {QStringLiteral("control"), {"#ffffff", "#2e2e30"}},
        {QStringLiteral("text"), {"#ffffff", "#1e1e1e"}},
        {QStringLiteral("sidebar"), {"#efeeec", "#1f1f1f"}},
        {QStringLiteral("selection"), {"#cfe2fc", "#193761"}},
        {QStringLiteral("separator"), {"#d9d8d6", "#3d3d40"}},
        {QStringLiteral("light"), {"#ffffff", "#4a4a4d"}},
        {QStringLiteral("midlight"), {"#f0f0f0", "#3a3a3d"}},
        {QStringLiteral("mid"), {"#c8c8c8", "#2c2c2e"}},
        {QStringLiteral("dark"), {"#a0a0a0", "#18181a"}},
        {QStringLiteral("shadow"), {"#000000", "#000000"}},
    };
    return tones;
}

QColor pick(const Tone& tone, bool dark) {
    return QColor(QString::fromLatin1(dark ? tone.dark : tone.light));
}

double channel(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

QColor mix(const QColor& from, const QColor& to, double amount) {
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * amount),
                            float(from.greenF() + (to.greenF() - from.greenF()) * amount),
                            float(from.blueF() + (to.blueF() - from.blueF()) * amount));
}

double worstContrast(const QColor& text, const QList<QColor>& backgrounds) {
    double worst = 21;
    for (const QColor& background : backgrounds) worst = std::min(worst, contrast(text, background));
    return worst;
}

} // namespace

QStringList names() {
    return {QStringLiteral("blue"),   QStringLiteral("purple"), QStringLiteral("indigo"), QStringLiteral("orange"),
            QStringLiteral("green"),  QStringLiteral("teal"),   QStringLiteral("pink"),   QStringLiteral("cyan"),
            QStringLiteral("yellow"), QStringLiteral("gray"),   QStringLiteral("red"),    QStringLiteral("white"),
            QStringLiteral("clear"),  QStringLiteral("primary"), QStringLiteral("secondary"), QStringLiteral("brown"),
            QStringLiteral("turquoise"), QStringLiteral("navy"), QStringLiteral("lime"), QStringLiteral("violet"),
            QStringLiteral("lavender"), QStringLiteral("magenta"), QStringLiteral("mint"), QStringLiteral("ruby")};
}

QColor named(const QString& name, bool dark) {
    const auto it = namedTones().constFind(name);
    return pick(it != namedTones().cend() ? *it : namedTones().value(QStringLiteral("gray")), dark);
}

QColor surface(const QString& role, bool dark) {
    const auto it = surfaceTones().constFind(role);
    return it != surfaceTones().cend() ? pick(*it, dark) : QColor(Qt::transparent);
}

QList<QColor> textSurfaces(bool dark) {
    return {surface(QStringLiteral("window"), dark), surface(QStringLiteral("control"), dark),
            surface(QStringLiteral("text"), dark), surface(QStringLiteral("sidebar"), dark),
            surface(QStringLiteral("selection"), dark)};
}

QColor withOpacity(const QColor& color, double opacity) {
    QColor result = color;
    result.setAlphaF(float(std::clamp(color.alphaF() * opacity, 0.0, 1.0)));
    return result;
}

QColor composite(const QColor& over, const QColor& under) {
    const double a = over.alphaF();
    return QColor::fromRgbF(float(over.redF() * a + under.redF() * (1 - a)),
                            float(over.greenF() * a + under.greenF() * (1 - a)),
                            float(over.blueF() * a + under.blueF() * (1 - a)));
}

double relativeLuminance(const QColor& color) {
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const QColor under = b.alphaF() < 1 ? composite(b, QColor(Qt::white)) : b;
    const QColor over = a.alphaF() < 1 ? composite(a, under) : a;
    const double la = relativeLuminance(over);
    const double lb = relativeLuminance(under);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor textOn(const QList<QColor>& fills) {
    const QColor light(Qt::white);
    const QColor dark = named(QStringLiteral("primary"), false);
    return worstContrast(light, fills) >= worstContrast(dark, fills) ? light : dark;
}

QColor tintedText(const QString& name, double opacity, bool dark, double minimum) {
    const QColor base = named(name, dark);
    QList<QColor> backgrounds;
    for (const QColor& surfaceColor : textSurfaces(dark)) backgrounds.append(composite(withOpacity(base, opacity), surfaceColor));
    const QColor target = dark ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 0; step <= 20; ++step) {
        const QColor candidate = mix(base, target, step * 0.05);
        if (worstContrast(candidate, backgrounds) >= minimum) return candidate;
    }
    return target;
}

QColor accentFill(bool dark) {
    const QColor accent = named(QStringLiteral("blue"), dark);
    for (int step = 0; step <= 20; ++step) {
        const QColor candidate = mix(accent, QColor(Qt::black), step * 0.05);
        if (contrast(QColor(Qt::white), candidate) >= 4.5) return candidate;
    }
    return QColor(Qt::black);
}

} // namespace colorscheme

ColorScheme::ColorScheme(QObject* parent) : QObject(parent) {}

QColor ColorScheme::named(const QString& name, bool dark) const { return colorscheme::named(name, dark); }

QVariantMap ColorScheme::tones(bool dark) const {
    QVariantMap map;
    for (const QString& name : colorscheme::names()) map.insert(name, colorscheme::named(name, dark));
    return map;
}

QColor ColorScheme::surface(const QString& role, bool dark) const { return colorscheme::surface(role, dark); }

QColor ColorScheme::textOnNamed(const QString& name, bool dark, double fadedOpacity) const {
    const QColor fill = colorscheme::named(name, dark);
    QList<QColor> fills{fill};
    if (fadedOpacity < 1) {
        fills.append(colorscheme::composite(colorscheme::withOpacity(fill, fadedOpacity),
                                            colorscheme::surface(QStringLiteral("control"), dark)));
    }
    return colorscheme::textOn(fills);
}

QColor ColorScheme::tintedText(const QString& name, double opacity, bool dark, double minimum) const {
    return colorscheme::tintedText(name, opacity, dark, minimum);
}

QColor ColorScheme::accentFill(bool dark) const { return colorscheme::accentFill(dark); }

double ColorScheme::contrast(const QColor& a, const QColor& b) const { return colorscheme::contrast(a, b); }
