#include "nav/GpsdStream.h"

namespace hx {

namespace {
constexpr std::size_t kMaxLineBytes = 65536;
}

std::string GpsdStreamFilter::filter(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (skipping_) {
            if (c == '\n') skipping_ = false;
            continue;
        }
        line_.push_back(c);
        if (c == '\n') {
            if (line_.front() != '{') out += line_;
            line_.clear();
        } else if (line_.size() > kMaxLineBytes) {
            line_.clear();
            skipping_ = true;
        }
    }
    return out;
}

}  // namespace hx
