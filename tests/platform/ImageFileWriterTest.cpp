// Saved screen images: every format written and decoded again (GIF by
// giflib's own decoder) and compared with the pixels that were drawn; the
// save procedure's format choice, messages and failures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gif_lib.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>

#include "fakes/FakeNotifier.h"
#include "imaging/ColourTables.h"
#include "imaging/WaterfallImage.h"
#include "imaging/ui/WaterfallBlit.h"
#include "platform/ImageFileWriter.h"
#include "platform/ScreenImageSaver.h"

namespace hx {
namespace {

// A waterfall of every intensity through a built-in table, drawn as the views draw it.
QImage indexedWaterfall(int width, int height) {
    WaterfallImage image(width, height, 1);
    std::mt19937 rng(7);
    for (int r = 0; r < height; ++r) {
        auto row = image.row(r);
        for (int x = 0; x < width; ++x) row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>((x + r * 3 + rng() % 5) % 255);
    }
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    QImage frame(width, height, QImage::Format_RGB32);
    BlitIndexed(frame, image, MakeColourLut(ConvertColourTable(palette.colourTables[kNormalHigh])), 0, 0);
    return frame;
}

// The three-head composite: far more than 256 colours.
QImage compositeWaterfall(int width, int height) {
    WaterfallImage image(width, height, 3);
    std::mt19937 rng(11);
    for (int r = 0; r < height; ++r) {
        auto row = image.row(r);
        for (int x = 0; x < width; ++x) {
            const auto k = static_cast<std::size_t>(x) * 3;
            row[k] = static_cast<std::uint8_t>(std::min(254, x / 2 + static_cast<int>(rng() % 24)));
            row[k + 1] = static_cast<std::uint8_t>(std::min(254, r + static_cast<int>(rng() % 24)));
            row[k + 2] = static_cast<std::uint8_t>(std::min(254, (x + r) / 3 + static_cast<int>(rng() % 24)));
        }
    }
    QImage frame(width, height, QImage::Format_RGB32);
    BlitComposite(frame, image, 0, 0);
    return frame;
}

int distinctColours(const QImage& img) {
    std::set<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) colours.insert(img.pixel(x, y) & 0xffffff);
    return static_cast<int>(colours.size());
}

// The GIF as giflib decodes it, as an RGB image.
QImage decodeGif(const QString& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif) return {};
    QImage out;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1) {
        const SavedImage& im = gif->SavedImages[0];
        const ColorMapObject* map = im.ImageDesc.ColorMap ? im.ImageDesc.ColorMap : gif->SColorMap;
        const int w = im.ImageDesc.Width, h = im.ImageDesc.Height;
        out = QImage(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int i = im.RasterBits[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
                const GifColorType c = i < map->ColorCount ? map->Colors[i] : GifColorType{255, 0, 255};
                out.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
            }
    }
    DGifCloseFile(gif, &error);
    return out;
}

struct Difference {
    double mean = 0;  // per channel
    int max = 0;
};

Difference compare(const QImage& a, const QImage& b) {
    Difference d;
    if (a.size() != b.size()) return {1e9, 1 << 20};
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int e : {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) {
                sum += e;
                d.max = std::max(d.max, e);
            }
        }
    d.mean = sum / (3.0 * a.width() * a.height());
    return d;
}

QByteArray head(const QString& path, int n) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

struct FormatCase {
    const char* name;
    ImageFileFormat format;
    QByteArray magic;
    double meanLimit;  // per channel; 0: exact
    int maxLimit;
};

const FormatCase kFormats[] = {
    {"image.bmp", ImageFileFormat::Bmp, QByteArray("BM"), 0, 0},
    {"image.png", ImageFileFormat::Png, QByteArray("\x89PNG", 4), 0, 0},
    {"image.tif", ImageFileFormat::Tiff, QByteArray("II*\0", 4), 0, 0},
    {"image.gif", ImageFileFormat::Gif, QByteArray("GIF8"), 0, 0},
    // JPEG is lossy and halves the colour resolution: close on average, and
    // at a sharp colour edge of this noisy test image a pixel may be far off.
    {"image.jpg", ImageFileFormat::Jpeg, QByteArray("\xFF\xD8\xFF", 3), 6.0, 255},
};

TEST(ImageFileWriter, EveryFormatDecodesToTheWaterfallsPixels) {
    QTemporaryDir dir;
    const QImage drawn = indexedWaterfall(320, 180);
    ASSERT_LE(distinctColours(drawn), 256) << "an 8-bit waterfall";
    for (const FormatCase& c : kFormats) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(WriteImageFile(drawn, path, c.format));
        EXPECT_EQ(head(path, c.magic.size()), c.magic);
        const QImage back = c.format == ImageFileFormat::Gif ? decodeGif(path) : QImage(path);
        ASSERT_FALSE(back.isNull());
        const Difference d = compare(drawn, back.convertToFormat(QImage::Format_RGB32));
        EXPECT_LE(d.mean, c.meanLimit);
        EXPECT_LE(d.max, c.maxLimit);
    }
}

TEST(ImageFileWriter, ACompositeGifIsQuantisedWithinBounds) {
    QTemporaryDir dir;
    const QImage drawn = compositeWaterfall(400, 240);
    ASSERT_GT(distinctColours(drawn), 256);
    const QString path = dir.filePath(QStringLiteral("composite.gif"));
    ASSERT_TRUE(WriteImageFile(drawn, path, ImageFileFormat::Gif));
    const QImage back = decodeGif(path);
    ASSERT_EQ(back.size(), drawn.size());
    EXPECT_LE(distinctColours(back), 256);
    // giflib's median cut to 256 colours. This test image is the hard case:
    // every pixel carries noise of 24 levels in all three channels. Each
    // channel stays within 12 levels on average and 80 at worst (measured:
    // 10.6 and 70).
    const Difference d = compare(drawn, back);
    EXPECT_LE(d.mean, 12.0);
    EXPECT_LE(d.max, 80);
    // The lossless formats keep every colour of the composite.
    for (ImageFileFormat f : {ImageFileFormat::Png, ImageFileFormat::Bmp, ImageFileFormat::Tiff}) {
        const QString p = dir.filePath(QStringLiteral("composite.%1").arg(static_cast<int>(f)));
        ASSERT_TRUE(WriteImageFile(drawn, p, f));
        EXPECT_EQ(compare(drawn, QImage(p).convertToFormat(QImage::Format_RGB32)).max, 0);
    }
}

TEST(ImageFileWriter, FormatsByExtension) {
    const std::pair<const char*, std::optional<ImageFileFormat>> cases[] = {
        {"/x/shot.PNG", ImageFileFormat::Png},   {"/x/shot.bmp", ImageFileFormat::Bmp},
        {"/x/shot.Gif", ImageFileFormat::Gif},   {"/x/shot.jpg", ImageFileFormat::Jpeg},
        {"/x/shot.JPEG", ImageFileFormat::Jpeg}, {"/x/shot.tif", ImageFileFormat::Tiff},
        {"/x/shot.tiff", ImageFileFormat::Tiff}, {"/x/shot.txt", std::nullopt},
        {"/x/shot", std::nullopt},               {"/x.png/shot", std::nullopt},
        {"/x/shot.png.exe", std::nullopt},
    };
    for (const auto& [path, format] : cases) EXPECT_EQ(ImageFormatForPath(QString::fromLatin1(path)), format) << path;
    EXPECT_STREQ(ImageMimeType(ImageFileFormat::Tiff), "image/tiff");
    EXPECT_EQ(SaveImageFilters().size(), 5);
    EXPECT_EQ(SaveImageFilters().front(), QStringLiteral("Bitmap: (*.BMP)"));
    EXPECT_EQ(SaveImageFilters().back(), QStringLiteral("Portable Networks Graphics: (*.PNG)"));
}

TEST(SaveImage, TheProcedureAndItsMessages) {
    QTemporaryDir dir;
    const QImage drawn = indexedWaterfall(64, 48);
    struct Case {
        const char* name;
        std::optional<QString> path;
        bool captured;
        SaveImageResult result;
        const char* message;
        QByteArray magic;  // of the file written
    } cases[] = {
        {"upper-case PNG is written as PNG", dir.filePath("shot.PNG"), true, SaveImageResult::Written, nullptr,
         QByteArray("\x89PNG", 4)},
        {"GIF", dir.filePath("shot.gif"), true, SaveImageResult::Written, nullptr, QByteArray("GIF8")},
        {"another extension", dir.filePath("shot.txt"), true, SaveImageResult::InvalidFormat, "Invalid File Format", {}},
        {"cancelled", std::nullopt, true, SaveImageResult::Cancelled, nullptr, {}},
        {"nothing captured", dir.filePath("empty.png"), false, SaveImageResult::CaptureFailed,
         "Can't save the screen!", {}},
        {"a folder that is not there", dir.filePath("no/such/folder/shot.png"), true, SaveImageResult::WriteFailed,
         "Can't save the screen!", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeNotifier notifier;
        const SaveImageSteps steps{[&] { return c.path; }, [&] { return c.captured ? drawn : QImage(); }};
        EXPECT_EQ(SaveImage(steps, notifier), c.result);
        if (c.message) {
            ASSERT_EQ(notifier.messages.size(), 1u);
            EXPECT_EQ(notifier.messages[0].text, c.message);
        } else {
            EXPECT_TRUE(notifier.messages.empty());
        }
        if (c.path) {
            EXPECT_EQ(QFile::exists(*c.path), !c.magic.isEmpty());
            if (!c.magic.isEmpty()) {
                EXPECT_EQ(head(*c.path, c.magic.size()), c.magic);
            }
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "nothing else, no partial files";
}

}  // namespace
}  // namespace hx

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
