// INotifier for tests: records every message and answers with a set answer.
#pragma once

#include <string>
#include <vector>

#include "core/Notifier.h"

namespace hx::test {

class FakeNotifier final : public INotifier {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        Buttons buttons;
        std::string caption;
    };

    Answer message(const std::string& text, MessageIcon icon, Buttons buttons, const std::string& caption) override {
        messages.push_back({text, icon, buttons, caption});
        return answer;
    }

    std::vector<Message> messages;
    Answer answer = Answer::Ok;
};

}  // namespace hx::test
