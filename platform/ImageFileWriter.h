// Saved screen images: the format chosen from the file name's extension and
// the encoders. BMP, JPEG, TIFF and PNG go through Qt's image writers; GIF
// through giflib, with a palette that keeps every colour of an image of at
// most 256 colours (an 8-bit waterfall is exact) and a median-cut palette
// otherwise. A file appears only when it is whole.
#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace hx {

enum class ImageFileFormat { Bmp, Gif, Jpeg, Tiff, Png };

// By the extension compared in lower case: bmp, gif, jpg (or jpeg), tif
// (or tiff), png. Nothing for any other.
std::optional<ImageFileFormat> ImageFormatForPath(const QString& path);

// "image/bmp", "image/gif", "image/jpeg", "image/tiff", "image/png".
const char* ImageMimeType(ImageFileFormat format);

// Writes the image in the format; false (and no file left behind) when it
// could not be written.
bool WriteImageFile(const QImage& image, const QString& path, ImageFileFormat format);

// The GIF encoding alone, into bytes: an indexed image whose palette holds
// the image's own colours when there are at most 256 of them. Empty on
// failure.
QByteArray EncodeGif(const QImage& image);

}  // namespace hx
