#include "nav/GpsReadFraming.h"

#include "nav/NmeaSentence.h"

namespace hx {

namespace {

void addToHistory(GpsFramingState& state, std::string_view sentence) {
    auto& history = state.sentenceHistory;
    if (state.historyCount >= kSentenceHistoryCapacity) {
        state.historyCount = kSentenceHistoryCapacity - 1;
        for (int k = 1; k < kSentenceHistoryCapacity; ++k)
            history[static_cast<std::size_t>(k - 1)] = std::move(history[static_cast<std::size_t>(k)]);
    }
    history[static_cast<std::size_t>(state.historyCount)] = std::string(sentence);
    ++state.historyCount;
}

// Slots fill in arrival order; an eleventh recognised sentence pushes out the
// oldest, and slots after the last filled one are emptied.
void addToSlots(GpsFramingState& state, int& recognised, std::string_view sentence) {
    auto& slots = state.gpsSentences;
    if (recognised >= kSentenceSlotCount) {
        recognised = kSentenceSlotCount - 1;
        for (int k = 1; k < kSentenceSlotCount; ++k)
            slots[static_cast<std::size_t>(k - 1)] = std::move(slots[static_cast<std::size_t>(k)]);
    }
    slots[static_cast<std::size_t>(recognised)] = std::string(sentence);
    ++recognised;
    for (int k = recognised; k < kSentenceSlotCount; ++k) slots[static_cast<std::size_t>(k)].clear();
}

}  // namespace

FramedRead frameGpsRead(GpsFramingState& state, std::string_view bytes, const SentenceHandler& onRecognised,
                        const SentenceHandler& onCut) {
    FramedRead result;
    std::string text = std::move(state.remainder);
    text.append(bytes);
    state.remainder.clear();
    long long n = static_cast<long long>(bytes.size());

    const auto firstDollar = text.find('$');
    if (firstDollar != std::string::npos && firstDollar > 0) {
        text.erase(0, firstDollar);
        n -= static_cast<long long>(firstDollar);
    }

    // text starts with '$' whenever it holds one; each pass cuts the sentence
    // at its head.
    std::size_t head = 0;
    int recognised = 0;
    while (n > 0) {
        if (head >= text.size() || text[head] != '$') break;
        const auto next = text.find('$', head + 1);
        if (next == std::string::npos) break;
        const std::size_t length = next - head - 1;
        const std::string_view sentence(text.data() + head, length);
        ++result.sentencesCut;
        if (onCut) onCut(sentence);
        if (nmeaTypeOf(sentence) != NmeaType::None) {
            if (nmeaChecksumOf(sentence) == NmeaChecksum::Bad) {
                ++result.corrupted;
            } else {
                addToSlots(state, recognised, sentence);
                ++result.recognised;
                if (onRecognised) onRecognised(sentence);
            }
        }
        addToHistory(state, sentence);
        head = next;
        n -= static_cast<long long>(length);
    }
    text.erase(0, head);

    if (text.size() > kGpsRemainderLimitBytes) text.erase(0, text.size() - kGpsRemainderLimitBytes);
    state.remainder = std::move(text);
    return result;
}

void resetGpsFraming(GpsFramingState& state) {
    state.remainder.clear();
    state.sentenceHistory = {};
    state.historyCount = 0;
}

}  // namespace hx
