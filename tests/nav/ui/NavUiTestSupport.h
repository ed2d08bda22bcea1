// Rendering a window to an image, looking for colours in it, and keeping
// the renders beside the build for a person to look at.
#pragma once

#include <QDir>
#include <QImage>
#include <QRect>
#include <QWidget>

#include <functional>

namespace hx::test {

inline QImage render(QWidget& w) {
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

inline int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& match) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (match(image.pixel(x, y))) ++n;
    return n;
}

inline int countColour(const QImage& image, const QRect& area, QRgb colour) {
    return countPixels(image, area, [colour](QRgb p) { return (p & 0xffffff) == (colour & 0xffffff); });
}

// Renders go to <build>/navui-shots/NAME.png.
inline void keepShot(const QImage& image, const QString& name) {
    const QString dir = QStringLiteral(HX642_BINARY_DIR) + QStringLiteral("/navui-shots");
    QDir().mkpath(dir);
    image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace hx::test
