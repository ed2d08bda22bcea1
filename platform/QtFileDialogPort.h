// IFileDialogPort over the Qt file dialogs, parented to a window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/FileDialogPort.h"

namespace hx {

class QtFileDialogPort final : public IFileDialogPort {
public:
    explicit QtFileDialogPort(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace hx
