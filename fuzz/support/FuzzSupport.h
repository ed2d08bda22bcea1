// What every fuzz target shares: a property check that stops the run with a
// message libFuzzer keeps beside the crashing input, and a notifier that
// only counts messages.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Notifier.h"

namespace hx::fuzz {

[[noreturn]] inline void propertyFailed(const char* what, const char* file, int line) {
    std::fprintf(stderr, "fuzz property failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

class CountingNotifier final : public INotifier {
public:
    Answer message(const std::string& text, MessageIcon, Buttons buttons, const std::string&) override {
        ++messages;
        last = text;
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    int messages = 0;
    std::string last;
};

}  // namespace hx::fuzz

// A property of the code under test; failing it is a finding like a crash.
#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) ::hx::fuzz::propertyFailed(#condition, __FILE__, __LINE__); \
    } while (false)
