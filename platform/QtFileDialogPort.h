// IFileDialogPort over the Qt file dialogs, parented to a window.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "core/FileDialogPort.h"

namespace hx {

class QtFileDialogPort final : public IFileDialogPort {
public:
    explicit QtFileDialogPort(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName) override;
    std::optional<FileDialogChoice> openFileFrom(const std::string& title, const std::string& filter,
                                                 const FileDialogStart& start) override;
    std::optional<FileDialogChoice> saveFileFrom(const std::string& title, const std::string& filter,
                                                 const std::string& suggestedName,
                                                 const FileDialogStart& start) override;

private:
    QPointer<QWidget> parent_;
};

// The filter a 1-based index shows (the first for 0 or one out of range),
// and the 1-based index of a filter the dialog reports.
QString filterForIndex(const QStringList& filters, int filterIndex);
int indexOfFilter(const QStringList& filters, const QString& chosen, int fallback);

}  // namespace hx
