#include "SoftShadows.h"

#include <QPainter>
#include <QPainterPath>
#include <QQmlEngine>
#include <QQuickImageProvider>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One horizontal or vertical box-blur pass over a single-channel image.
void boxBlur(std::vector<float>& data, int width, int height, int radius, bool horizontal) {
    if (radius <= 0) return;
    const int length = horizontal ? width : height;
    const int lines = horizontal ? height : width;
    std::vector<float> line(static_cast<size_t>(length));
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> float& {
            return horizontal ? data[static_cast<size_t>(l * width + i)] : data[static_cast<size_t>(i * width + l)];
        };
        for (int i = 0; i < length; ++i) line[static_cast<size_t>(i)] = at(i);
        float sum = 0;
        auto sample = [&](int i) { return (i < 0 || i >= length) ? 0.0f : line[static_cast<size_t>(i)]; };
        for (int i = -radius; i <= radius; ++i) sum += sample(i);
        for (int i = 0; i < length; ++i) {
            at(i) = sum * norm;
            sum += sample(i + radius + 1) - sample(i - radius);
        }
    }
}

class ShadowProvider : public QQuickImageProvider {
public:
    ShadowProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

    // id: "<corner radius>/<blur radius>/<#aarrggbb>"
    QImage requestImage(const QString& id, QSize* size, const QSize&) override {
        const QStringList parts = id.split(u'/');
        QImage image;
        if (parts.size() == 3) {
            const double corner = std::clamp(parts[0].toDouble(), 0.0, 200.0);
            const double blur = std::clamp(parts[1].toDouble(), 0.0, 100.0);
            QColor color(u'#' + parts[2]);
            if (color.isValid()) image = Shadows::render(corner, blur, color);
        }
        if (image.isNull()) {
            image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        if (size) *size = image.size();
        return image;
    }
};

} // namespace

Shadows::Shadows(QObject* parent) : QObject(parent) {}

Shadows* Shadows::create(QQmlEngine* engine, QJSEngine*) {
    ensureProvider(engine);
    return new Shadows;
}

int Shadows::border(double cornerRadius, double blurRadius) const {
    return static_cast<int>(blurExtent(blurRadius) + std::ceil(std::max(cornerRadius, 0.0)));
}

double Shadows::blurExtent(double blurRadius) { return std::ceil(std::max(blurRadius, 0.0) * 1.5); }

void Shadows::ensureProvider(QQmlEngine* engine) {
    if (engine && !engine->imageProvider(QString::fromLatin1(providerId)))
        engine->addImageProvider(QString::fromLatin1(providerId), new ShadowProvider);
}

QString Shadows::source(double cornerRadius, double blurRadius, const QColor& color) const {
    ensureProvider(qmlEngine(this));
    return QStringLiteral("image://%1/%2/%3/%4")
        .arg(QString::fromLatin1(providerId))
        .arg(cornerRadius)
        .arg(blurRadius)
        .arg(color.name(QColor::HexArgb).mid(1));
}

QImage Shadows::render(double cornerRadius, double blurRadius, const QColor& color) {
    const int pad = static_cast<int>(blurExtent(blurRadius));
    const int corner = static_cast<int>(std::ceil(cornerRadius));
    // The shape's straight middle is stretched by the BorderImage, so 2 pixels suffice.
    const int shape = 2 * corner + 2;
    const int side = shape + 2 * pad;

    QImage mask(side, side, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(pad, pad, shape, shape), cornerRadius, cornerRadius);
        p.fillPath(path, Qt::black);
    }
    std::vector<float> alpha(static_cast<size_t>(side * side));
    for (int y = 0; y < side; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < side; ++x) alpha[static_cast<size_t>(y * side + x)] = qAlpha(line[x]) / 255.0f;
    }
    // Three box passes approximate a Gaussian of sigma = blur / 2.
    const double sigma = blurRadius * 0.5;
    const int box = static_cast<int>(std::lround((std::sqrt(4.0 * sigma * sigma + 1.0) - 1.0) * 0.5));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(alpha, side, side, box, true);
        boxBlur(alpha, side, side, box, false);
    }
    QImage out(side, side, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < side; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const double a = std::clamp(static_cast<double>(alpha[static_cast<size_t>(y * side + x)]) * color.alphaF(), 0.0, 1.0);
            line[x] = qRgba(static_cast<int>(std::lround(color.red() * a)), static_cast<int>(std::lround(color.green() * a)),
                            static_cast<int>(std::lround(color.blue() * a)), static_cast<int>(std::lround(a * 255)));
        }
    }
    return out;
}
