// INotifier for programs without a display: messages go to stderr and
// questions take their default (No / Cancel) answer.
#pragma once

#include "core/Notifier.h"

namespace hx {

class ConsoleNotifier final : public INotifier {
public:
    Answer message(const std::string& text, MessageIcon icon, Buttons buttons,
                   const std::string& caption) override;
};

}  // namespace hx
