// "&Save Screen" and "Save Selected": ask for a file name ("Save Image As:",
// five formats), capture the image (the main window, or the chosen area of
// a view), and write it in the format its extension names, with the
// program's messages. The dialog and the capture are handed in, so the
// procedure runs the same offscreen.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "core/Notifier.h"

class QWidget;

namespace hx {

inline constexpr const char* kSaveImageTitle = "Save Image As:";
inline constexpr const char* kCaptureFailedText = "Can't save the screen!";
inline constexpr const char* kInvalidImageFormatText = "Invalid File Format";

// The dialog's filters in their order: BMP, GIF, JPG, TIF, PNG.
QStringList SaveImageFilters();

enum class SaveImageResult { Written, Cancelled, CaptureFailed, InvalidFormat, WriteFailed };

struct SaveImageSteps {
    std::function<std::optional<QString>()> choosePath;  // nothing: cancelled
    std::function<QImage()> capture;                     // a null image: the capture failed
};

// The procedure: dialog, capture ("Can't save the screen!" when there is
// nothing to capture), format by the extension in lower case ("Invalid File
// Format" for any other), write ("Can't save the screen!" when the file
// could not be written).
SaveImageResult SaveImage(const SaveImageSteps& steps, INotifier& notifier);

// The save dialog: title "Save Image As:", the five filters, starting in
// folder, asking before overwriting. A name typed without an extension gets
// the chosen filter's.
std::optional<QString> AskSaveImagePath(QWidget* parent, const QString& folder);

// The window's whole area as it is drawn (menus, bars and views); null when
// it has no area.
QImage CaptureWidget(QWidget* widget);
// A part of a widget, in its coordinates; null when the part is empty.
QImage CaptureWidgetArea(QWidget* widget, const QRect& area);

}  // namespace hx
