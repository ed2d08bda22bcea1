// The played file's event file: opened beside the data file, loaded, maybe
// edited, closed. Closing without an edit must leave the file's bytes as
// they were; an edit must be written so that it loads back. The events a copy
// passes are gathered in ascending ping order. Input: the event file's text
// from the front; whether it exists, read-only media, failing writes and
// the edit from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include "record/EventFile.h"
#include "record/PlaybackEvents.h"
#include "support/FuzzSupport.h"
#include "support/MemoryFileSystem.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto switches = in.ConsumeIntegral<std::uint8_t>();
    const auto editPick = in.ConsumeIntegral<std::uint8_t>();
    const auto copyPing = in.ConsumeIntegralInRange<std::int32_t>(-2, 200);
    const bool exists = (switches & 1) == 0;
    const bool readOnlyMedia = switches & 2;
    const bool edit = switches & 4;

    fuzz::MemoryFileSystem fs;
    fs.failWrites = switches & 8;
    if (exists) fs.bytes("/d/f.an") = in.ConsumeRemainingBytes<std::uint8_t>();
    const fuzz::Bytes original = exists ? fs.bytes("/d/f.an") : fuzz::Bytes{};

    fuzz::CountingNotifier notifier;
    EventList events;
    PlayedEventFile played;
    played.open("/d/f.642", readOnlyMedia, fs, notifier, events);
    FUZZ_CHECK(events.count >= 0 && events.count <= kMaxEvents);
    FUZZ_CHECK(played.isOpen() == (exists || !readOnlyMedia));
    const bool writable = played.writable();
    FUZZ_CHECK(!writable || !readOnlyMedia);
    const std::string loaded = formatEventFile(events);

    EventList copy;
    CollectCopyEvents(events, copy, copyPing);
    CollectCopyEvents(events, copy, copyPing);  // a second pass adds nothing
    FUZZ_CHECK(copy.count <= events.count);
    for (int i = 0; i < copy.count; ++i) FUZZ_CHECK(copy.entries[i].ping == copyPing);

    if (edit && events.count > 0)
        events.entries[editPick % events.count].annotation = "edited " + std::to_string(editPick) + "\n";
    const bool changed = formatEventFile(events) != loaded;
    played.close(events, notifier);
    FUZZ_CHECK(!played.isOpen());
    if (!exists) return 0;

    const fuzz::Bytes& after = fs.bytes("/d/f.an");
    if (!changed || !writable || fs.failWrites) {
        // Nothing to write, or no way to write it: the file is as it was.
        FUZZ_CHECK(after == original);
        return 0;
    }
    EventList back;
    const std::string_view text(reinterpret_cast<const char*>(after.data()), after.size());
    FUZZ_CHECK(!parseEventFile(text, back).damaged);
    FUZZ_CHECK(formatEventFile(back) == formatEventFile(events));
    return 0;
}
