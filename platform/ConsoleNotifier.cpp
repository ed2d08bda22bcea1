#include "platform/ConsoleNotifier.h"

#include <cstdio>

namespace hx {

Answer ConsoleNotifier::message(const std::string& text, MessageIcon icon, Buttons buttons,
                                const std::string& caption) {
    const char* kind = icon == MessageIcon::Error     ? "error"
                       : icon == MessageIcon::Warning ? "warning"
                                                      : "note";
    std::fprintf(stderr, "%s: %s: %s\n", caption.c_str(), kind, text.c_str());
    switch (buttons) {
        case Buttons::YesNo: return Answer::No;
        case Buttons::OkCancel: return Answer::Cancel;
        case Buttons::Ok: break;
    }
    return Answer::Ok;
}

}  // namespace hx
