#include "SpriteAtlas.h"

#include "SymbolMap.h"

#include <QGlyphRun>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

void SpriteAtlas::clear() {
    m_image = QImage();
    m_sprites.clear();
    m_cells.clear();
    m_index.clear();
    m_shelfX = m_shelfY = m_shelfHeight = 0;
    m_dirty = true;
}

QPoint SpriteAtlas::reserve(int w, int h) {
    w += 2;
    h += 2;
    if (w > kWidth || h > kMaxHeight) return {-1, -1};
    if (m_shelfX + w > kWidth) {
        m_shelfY += m_shelfHeight;
        m_shelfX = 0;
        m_shelfHeight = 0;
    }
    if (m_shelfY + h > kMaxHeight) return {-1, -1};
    if (m_image.isNull() || m_shelfY + h > m_image.height()) {
        int height = m_image.isNull() ? 256 : m_image.height();
        while (height < m_shelfY + h) height *= 2;
        QImage grown(kWidth, std::min(height, kMaxHeight), QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        if (!m_image.isNull()) {
            QPainter p(&grown);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, m_image);
        }
        m_image = grown;
        refreshTextureCoordinates();
    }
    const QPoint at(m_shelfX + 1, m_shelfY + 1);
    m_shelfX += w;
    m_shelfHeight = std::max(m_shelfHeight, h);
    return at;
}

void SpriteAtlas::refreshTextureCoordinates() {
    const double w = m_image.width(), h = m_image.height();
    for (size_t i = 0; i < m_sprites.size(); ++i) {
        const QRect& c = m_cells[i];
        m_sprites[i].texture = QRectF(c.x() / w, c.y() / h, c.width() / w, c.height() / h);
    }
}

int SpriteAtlas::addSprite(const QString& key, const QRect& cell, const QRectF& pixels) {
    const double w = m_image.width(), h = m_image.height();
    m_cells.push_back(cell);
    m_sprites.push_back({QRectF(cell.x() / w, cell.y() / h, cell.width() / w, cell.height() / h), pixels});
    m_dirty = true;
    const int index = int(m_sprites.size() - 1);
    m_index.insert(key, index);
    return index;
}

int SpriteAtlas::glyph(const QRawFont& font, quint32 glyphIndex, const QColor& color) {
    const QString key = QStringLiteral("g%1|%2|%3|%4|%5")
                            .arg(font.familyName(), font.styleName())
                            .arg(font.pixelSize())
                            .arg(glyphIndex)
                            .arg(color.rgba());
    const auto found = m_index.constFind(key);
    if (found != m_index.cend()) return *found;

    const QRectF bounds = font.boundingRect(glyphIndex);
    const QRect cell = bounds.toAlignedRect().adjusted(-1, -1, 1, 1);
    const QPoint at = reserve(std::max(cell.width(), 1), std::max(cell.height(), 1));
    if (at.x() < 0) return -1;
    {
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(color);
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes({glyphIndex});
        run.setPositions({QPointF(0, 0)});
        p.drawGlyphRun(QPointF(at.x() - cell.left(), at.y() - cell.top()), run);
    }
    return addSprite(key, QRect(at, cell.size()), QRectF(cell));
}

void SpriteAtlas::paintSymbol(QPainter& p, const QString& name, const QRectF& box, const QColor& color) {
    const auto symbol = symbolmap::lookup(name);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (symbol && symbol->codepoint == 0 && !symbol->path.isEmpty()) {
        const QString svg = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 24 24'>"
                                           "<path fill='%1' d='%2'/></svg>")
                                .arg(color.name(QColor::HexRgb), symbol->path);
        QSvgRenderer renderer(svg.toUtf8());
        p.setOpacity(color.alphaF());
        renderer.render(&p, box);
    } else {
        QFont font(symbolmap::fontFamily());
        font.setPixelSize(std::max(1, int(std::lround(box.height()))));
        p.setFont(font);
        p.setPen(color);
        const char32_t codepoint = symbol ? symbol->codepoint : char32_t(0xe887); // help
        p.drawText(box, Qt::AlignCenter, QString::fromUcs4(&codepoint, 1));
    }
    p.restore();
}

int SpriteAtlas::picture(const QString& key, QSize size, const std::function<void(QPainter&, const QRectF&)>& paint) {
    const auto found = m_index.constFind(key);
    if (found != m_index.cend()) return *found;
    size = size.expandedTo(QSize(1, 1));
    const QPoint at = reserve(size.width(), size.height());
    if (at.x() < 0) return -1;
    {
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(QRect(at, size));
        paint(p, QRectF(at, size));
    }
    return addSprite(key, QRect(at, size), QRectF(QPointF(0, 0), size));
}

int SpriteAtlas::symbol(const QString& name, double pixelSize, const QColor& color) {
    const int px = std::max(1, int(std::lround(pixelSize)));
    const QString key = QStringLiteral("s%1|%2|%3").arg(name).arg(px).arg(color.rgba());
    const int sprite = picture(key, QSize(px, px), [&](QPainter& p, const QRectF& box) { paintSymbol(p, name, box, color); });
    // Centred on its origin.
    if (sprite >= 0) m_sprites[size_t(sprite)].pixels = QRectF(-px / 2.0, -px / 2.0, px, px);
    return sprite;
}

std::vector<SpriteAtlas::Placed> SpriteAtlas::layout(const QString& text, const QFont& font, const QColor& color) {
    std::vector<Placed> placed;
    if (text.isEmpty()) return placed;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return placed;
    const double ascent = line.ascent();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            const int sprite = glyph(raw, glyphs.at(i), color);
            if (sprite < 0) continue;
            placed.push_back({sprite, float(positions.at(i).x()), float(positions.at(i).y() - ascent)});
        }
    }
    return placed;
}
