#include "platform/ImageFileWriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImageWriter>
#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <vector>

namespace hx {

namespace {

// GIF dimensions are 16-bit.
constexpr int kMaxGifSide = 65535;
constexpr int kGifColours = 256;

int writeToByteArray(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<QByteArray*>(gif->UserData);
    out->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// The smallest power of two that holds n colours (at least 2).
int mapSizeFor(int n) {
    int size = 2;
    while (size < n) size *= 2;
    return size;
}

struct Indexed {
    std::vector<GifByteType> pixels;
    std::vector<GifColorType> colours;
};

// Every colour of the image in a palette of its own, when there are at most 256.
std::optional<Indexed> exactPalette(const QImage& rgb) {
    Indexed out;
    out.pixels.resize(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()));
    QHash<QRgb, int> index;
    std::size_t k = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x, ++k) {
            const QRgb c = line[x] & 0xffffffu;
            auto it = index.constFind(c);
            if (it == index.constEnd()) {
                if (index.size() == kGifColours) return std::nullopt;
                it = index.insert(c, static_cast<int>(out.colours.size()));
                out.colours.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                                       static_cast<GifByteType>(qBlue(c))});
            }
            out.pixels[k] = static_cast<GifByteType>(*it);
        }
    }
    return out;
}

// A median-cut palette of 256 colours for an image with more.
std::optional<Indexed> quantisedPalette(const QImage& rgb) {
    const std::size_t n = static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height());
    std::vector<GifByteType> r(n), g(n), b(n);
    std::size_t k = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x, ++k) {
            r[k] = static_cast<GifByteType>(qRed(line[x]));
            g[k] = static_cast<GifByteType>(qGreen(line[x]));
            b[k] = static_cast<GifByteType>(qBlue(line[x]));
        }
    }
    Indexed out;
    out.pixels.resize(n);
    out.colours.resize(kGifColours);
    int size = kGifColours;
    if (GifQuantizeBuffer(static_cast<unsigned>(rgb.width()), static_cast<unsigned>(rgb.height()), &size, r.data(),
                          g.data(), b.data(), out.pixels.data(), out.colours.data()) != GIF_OK)
        return std::nullopt;
    out.colours.resize(static_cast<std::size_t>(std::clamp(size, 1, kGifColours)));
    return out;
}

}  // namespace

std::optional<ImageFileFormat> ImageFormatForPath(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("bmp")) return ImageFileFormat::Bmp;
    if (ext == QLatin1String("gif")) return ImageFileFormat::Gif;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return ImageFileFormat::Jpeg;
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff")) return ImageFileFormat::Tiff;
    if (ext == QLatin1String("png")) return ImageFileFormat::Png;
    return std::nullopt;
}

const char* ImageMimeType(ImageFileFormat format) {
    switch (format) {
        case ImageFileFormat::Bmp: return "image/bmp";
        case ImageFileFormat::Gif: return "image/gif";
        case ImageFileFormat::Jpeg: return "image/jpeg";
        case ImageFileFormat::Tiff: return "image/tiff";
        case ImageFileFormat::Png: return "image/png";
    }
    return "";
}

QByteArray EncodeGif(const QImage& image) {
    if (image.isNull() || image.width() > kMaxGifSide || image.height() > kMaxGifSide) return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::optional<Indexed> indexed = exactPalette(rgb);
    if (!indexed) indexed = quantisedPalette(rgb);
    if (!indexed) return {};

    const int mapSize = mapSizeFor(static_cast<int>(indexed->colours.size()));
    indexed->colours.resize(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
    ColorMapObject* map = GifMakeMapObject(mapSize, indexed->colours.data());
    if (!map) return {};

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, writeToByteArray, &error);
    if (!gif) {
        GifFreeMapObject(map);
        return {};
    }
    bool ok = EGifPutScreenDesc(gif, rgb.width(), rgb.height(), GifBitSize(mapSize), 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, rgb.width(), rgb.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < rgb.height(); ++y)
        ok = EGifPutLine(gif, indexed->pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rgb.width()),
                         rgb.width()) == GIF_OK;
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok ? bytes : QByteArray();
}

bool WriteImageFile(const QImage& image, const QString& path, ImageFileFormat format) {
    if (image.isNull()) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (format == ImageFileFormat::Gif) {
        const QByteArray bytes = EncodeGif(image);
        if (bytes.isEmpty() || file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
        return file.commit();
    }
    const char* name = format == ImageFileFormat::Bmp    ? "bmp"
                       : format == ImageFileFormat::Jpeg ? "jpeg"
                       : format == ImageFileFormat::Tiff ? "tiff"
                                                         : "png";
    QImageWriter writer(&file, name);
    if (format == ImageFileFormat::Jpeg) writer.setQuality(90);
    // JPEG and BMP have no alpha; a screen capture has none to lose.
    const QImage out = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (!writer.write(out)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace hx
