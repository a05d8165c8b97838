#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRawFont>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// Small images packed into one texture image: the glyphs of the mindmap's labels (each
// glyph of each font and colour once, not each label) and its symbols. Rendered with
// QPainter at the pixel size they are shown at; cleared when that size or the colours change.
class SpriteAtlas {
public:
    struct Sprite {
        QRectF texture; // normalised texture coordinates, valid for the image as it is now
        QRectF pixels;  // where the image lies relative to the glyph's origin, in pixels
    };
    // One glyph of a laid-out text: a sprite and its origin, in pixels from the text's origin.
    struct Placed {
        int sprite;
        float x, y;
    };

    static constexpr int kWidth = 1024;
    static constexpr int kMaxHeight = 4096;

    // The sprite index of a glyph of `font` in `color`, rendered on first use; -1 when the
    // atlas is full.
    int glyph(const QRawFont& font, quint32 glyphIndex, const QColor& color);
    // A symbol ("folder.fill") `pixelSize` high in `color`, centred on its origin.
    int symbol(const QString& name, double pixelSize, const QColor& color);
    // A picture `size` pixels large painted by `paint` (into the rectangle it is given) on
    // first use of `key`; its pixels rectangle starts at (0, 0).
    int picture(const QString& key, QSize size, const std::function<void(QPainter&, const QRectF&)>& paint);
    // Paints a symbol into `box` (the font glyph or the vector path).
    static void paintSymbol(QPainter& painter, const QString& name, const QRectF& box, const QColor& color);
    // Shapes `text` in `font` and returns its glyphs, origin at the left end of the baseline.
    std::vector<Placed> layout(const QString& text, const QFont& font, const QColor& color);

    const Sprite& sprite(int index) const { return m_sprites[size_t(index)]; }
    // The sprite's place in the image, in pixels.
    const QRect& cell(int index) const { return m_cells[size_t(index)]; }
    // The packed image (premultiplied ARGB); the texture coordinates refer to it.
    const QImage& image() const { return m_image; }
    // True after sprites were added since the last markUploaded().
    bool isDirty() const { return m_dirty; }
    void markUploaded() { m_dirty = false; }
    void clear();
    int spriteCount() const { return int(m_sprites.size()); }

private:
    // Reserves a w x h cell (one pixel of padding around it); returns its top-left, or
    // (-1, -1) when full.
    QPoint reserve(int w, int h);
    void refreshTextureCoordinates();
    int addSprite(const QString& key, const QRect& cell, const QRectF& pixels);

    QImage m_image;
    std::vector<Sprite> m_sprites;
    std::vector<QRect> m_cells;
    QHash<QString, int> m_index;
    int m_shelfX = 0, m_shelfY = 0, m_shelfHeight = 0;
    bool m_dirty = false;
};
