#include "MindmapPalette.h"

#include <algorithm>
#include <cmath>

MindmapPalette MindmapPalette::from(const QVariantMap& tones, const QVariantMap& backgrounds) {
    MindmapPalette palette;
    for (auto it = tones.cbegin(); it != tones.cend(); ++it) {
        const QColor c(it.value().toString());
        const QColor v = it.value().value<QColor>();
        if (v.isValid()) palette.tones.insert(it.key(), v);
        else if (c.isValid()) palette.tones.insert(it.key(), c);
    }
    const QColor control = backgrounds.value(QStringLiteral("controlBackground")).value<QColor>();
    const QColor text = backgrounds.value(QStringLiteral("textBackground")).value<QColor>();
    if (control.isValid()) palette.controlBackground = control;
    if (text.isValid()) palette.textBackground = text;
    return palette;
}

QColor MindmapPalette::tone(const QString& name) const {
    const auto it = tones.constFind(name);
    if (it != tones.cend()) return *it;
    return tones.value(QStringLiteral("gray"), QColor(0x8a, 0x8a, 0x8f));
}

QColor MindmapPalette::over(const QColor& under, const QColor& color, double opacity) {
    const double a = std::clamp(opacity * color.alphaF(), 0.0, 1.0);
    auto mix = [a](double x, double y) { return float(x + (y - x) * a); };
    return QColor::fromRgbF(mix(under.redF(), color.redF()), mix(under.greenF(), color.greenF()),
                            mix(under.blueF(), color.blueF()), 1.0f);
}

namespace {
double luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double MindmapPalette::contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor MindmapPalette::foregroundOn(const QColor& background) const {
    const QColor dark(0x1f, 0x1f, 0x21);
    return contrast(Qt::white, background) >= contrast(dark, background) ? QColor(Qt::white) : dark;
}
