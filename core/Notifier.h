// Message boxes as the logic sees them: a fixed text, an icon, and for
// questions the operator's answer. Windows show them; the command-line
// program prints them; tests record them.
#pragma once

#include <string>

namespace hx {

enum class MessageIcon { Information, Warning, Error, Question };

enum class Answer { Yes, No, Ok, Cancel };

enum class Buttons { Ok, YesNo, OkCancel };

class INotifier {
public:
    virtual ~INotifier() = default;
    virtual Answer message(const std::string& text, MessageIcon icon, Buttons buttons = Buttons::Ok,
                           const std::string& caption = "HX642") = 0;
};

}  // namespace hx
