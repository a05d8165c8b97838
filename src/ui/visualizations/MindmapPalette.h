#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <QVariantMap>

// The colours the mindmap canvas draws with, handed in from the theme: the named tones
// ("blue", "secondary", ...) of the current appearance and the few background colours.
struct MindmapPalette {
    QHash<QString, QColor> tones;
    QColor controlBackground{Qt::white};
    QColor textBackground{Qt::white};

    // `tones` maps names to colours; `backgrounds` has "controlBackground" and "textBackground".
    static MindmapPalette from(const QVariantMap& tones, const QVariantMap& backgrounds);
    // The named tone; gray (or a plain gray) for a name that is not known.
    QColor tone(const QString& name) const;
    // `color` at `opacity` laid over `under`, as an opaque colour.
    static QColor over(const QColor& under, const QColor& color, double opacity);
    // White or the dark text tone, whichever contrasts more with `background` (WCAG).
    QColor foregroundOn(const QColor& background) const;
    static double contrast(const QColor& a, const QColor& b);

    friend bool operator==(const MindmapPalette&, const MindmapPalette&) = default;
};
