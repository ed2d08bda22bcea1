#include "record/PlaybackEvents.h"

#include <algorithm>

#include "record/EventFile.h"

namespace hx {

void PlayedEventFile::open(const std::string& dataPath, bool readOnlyMedia, IFileSystem& fs, INotifier& notifier,
                           EventList& events) {
    file_.reset();
    writable_ = false;
    path_ = eventFilePathFor(dataPath);
    emptyEventList(events);

    if (fs.exists(path_)) {
        if (!readOnlyMedia) file_ = fs.open(path_, OpenMode::ReadWrite);
        writable_ = file_ != nullptr;
        if (!file_) file_ = fs.open(path_, OpenMode::Read);
    } else if (!readOnlyMedia) {
        file_ = fs.open(path_, OpenMode::CreateReadWrite);
        writable_ = file_ != nullptr;
        if (!file_) notifier.message("Failed to open document.", MessageIcon::Error);
    }
    if (!file_) path_.clear();
    if (file_) loadEventFile(*file_, events, notifier);
    loadedText_ = formatEventFile(events);
}

void PlayedEventFile::close(const EventList& events, INotifier& notifier) {
    if (file_ && writable_ && formatEventFile(events) != loadedText_) {
        if (!writeEventFile(*file_, events)) notifier.message("Error Writing Annotation File!", MessageIcon::Error);
    }
    file_.reset();
    writable_ = false;
    path_.clear();
    loadedText_.clear();
}

int CollectCopyEvents(const EventList& events, EventList& copyEvents, std::int32_t pingNumber) {
    int added = 0;
    const int count = std::clamp(events.count, 0, kMaxEvents);
    for (int i = 0; i < count; ++i) {
        const EventEntry& e = events.entries[static_cast<std::size_t>(i)];
        if (e.ping != pingNumber) continue;
        if (copyEvents.count >= kMaxEvents) break;
        const auto begin = copyEvents.entries.begin();
        const auto end = begin + copyEvents.count;
        const bool held = std::any_of(begin, end, [&](const EventEntry& c) { return c.number == e.number && c.ping == e.ping; });
        if (held) continue;
        // After every entry whose ping is not greater, as event input inserts.
        const auto at = std::find_if(begin, end, [&](const EventEntry& c) { return c.ping > e.ping; });
        std::move_backward(at, end, end + 1);
        *at = e;
        ++copyEvents.count;
        ++added;
    }
    return added;
}

}  // namespace hx
