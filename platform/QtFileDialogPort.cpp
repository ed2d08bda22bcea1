#include "platform/QtFileDialogPort.h"

#include <QFileDialog>

namespace hx {

std::optional<std::string> QtFileDialogPort::openFile(const std::string& title, const std::string& filter) {
    const QString path = QFileDialog::getOpenFileName(parent_, QString::fromStdString(title), QString(),
                                                      QString::fromStdString(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtFileDialogPort::saveFile(const std::string& title, const std::string& filter,
                                                      const std::string& suggestedName) {
    const QString path = QFileDialog::getSaveFileName(parent_, QString::fromStdString(title),
                                                      QString::fromStdString(suggestedName),
                                                      QString::fromStdString(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace hx
