#include "platform/ScreenImageSaver.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

#include "platform/ImageFileWriter.h"

namespace hx {

namespace {

const char* const kFilterExtensions[] = {"bmp", "gif", "jpg", "tif", "png"};

}  // namespace

QStringList SaveImageFilters() {
    return {QStringLiteral("Bitmap: (*.BMP)"), QStringLiteral("Graphics Interchange Format: (*.GIF)"),
            QStringLiteral("JPG File Interchange Format: (*.JPG)"), QStringLiteral("Tag Image File Format: (*.TIF)"),
            QStringLiteral("Portable Networks Graphics: (*.PNG)")};
}

SaveImageResult SaveImage(const SaveImageSteps& steps, INotifier& notifier) {
    const std::optional<QString> path = steps.choosePath ? steps.choosePath() : std::nullopt;
    if (!path || path->isEmpty()) return SaveImageResult::Cancelled;
    const QImage image = steps.capture ? steps.capture() : QImage();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        notifier.message(kCaptureFailedText, MessageIcon::Error);
        return SaveImageResult::CaptureFailed;
    }
    const std::optional<ImageFileFormat> format = ImageFormatForPath(*path);
    if (!format) {
        notifier.message(kInvalidImageFormatText, MessageIcon::Warning);
        return SaveImageResult::InvalidFormat;
    }
    if (!WriteImageFile(image, *path, *format)) {
        notifier.message(kCaptureFailedText, MessageIcon::Error);
        return SaveImageResult::WriteFailed;
    }
    return SaveImageResult::Written;
}

std::optional<QString> AskSaveImagePath(QWidget* parent, const QString& folder) {
    const QStringList filters = SaveImageFilters();
    QString chosenFilter = filters.front();
    QString path = QFileDialog::getSaveFileName(parent, QString::fromLatin1(kSaveImageTitle), folder,
                                                filters.join(QStringLiteral(";;")), &chosenFilter);
    if (path.isEmpty()) return std::nullopt;
    if (QFileInfo(path).suffix().isEmpty()) {
        const qsizetype i = filters.indexOf(chosenFilter);
        if (i >= 0 && i < static_cast<qsizetype>(std::size(kFilterExtensions)))
            path += QLatin1Char('.') + QString::fromLatin1(kFilterExtensions[i]);
    }
    return path;
}

QImage CaptureWidget(QWidget* widget) {
    if (!widget || widget->rect().isEmpty()) return {};
    return widget->grab().toImage();
}

QImage CaptureWidgetArea(QWidget* widget, const QRect& area) {
    if (!widget) return {};
    const QRect part = area.intersected(widget->rect());
    if (part.isEmpty()) return {};
    return widget->grab(part).toImage();
}

}  // namespace hx
