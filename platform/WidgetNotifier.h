// INotifier shown as modal message boxes over a parent window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/Notifier.h"

namespace hx {

class WidgetNotifier final : public INotifier {
public:
    explicit WidgetNotifier(QWidget* parent) : parent_(parent) {}
    Answer message(const std::string& text, MessageIcon icon, Buttons buttons,
                   const std::string& caption) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace hx
