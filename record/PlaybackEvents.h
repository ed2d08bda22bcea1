// The event file of the played data file: opened (or created) when the
// file is opened for playback, its events loaded into the event list, and
// written back when the file closes if the list changed meanwhile. Also
// gathers the events a copy passes into the copy list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/Notifier.h"
#include "record/EventList.h"
#include "record/FileAccess.h"

namespace hx {

class PlayedEventFile {
public:
    // Empties the list and loads it from the event file beside dataPath. An
    // existing file is opened for reading and writing (for reading only on
    // read-only media or when it is write-protected); a missing one is
    // created, except on read-only media. A creation failure shows "Failed to
    // open document." and playback goes on without an event file.
    void open(const std::string& dataPath, bool readOnlyMedia, IFileSystem& fs, INotifier& notifier, EventList& events);

    // Writes the list back when it differs from what was loaded (an
    // unchanged list leaves the file as it is, so a damaged event file keeps
    // what could not be read), then closes the file.
    void close(const EventList& events, INotifier& notifier);

    bool isOpen() const { return file_ != nullptr; }
    bool writable() const { return writable_; }
    const std::string& path() const { return path_; }

private:
    std::unique_ptr<IRandomAccessFile> file_;
    std::string path_;
    bool writable_ = false;
    std::string loadedText_;  // the list as loaded, in file form
};

// While copying: the events of the played list that belong to the ping just
// copied go into the copy list once each, in ascending ping order, as long
// as it has room. Returns how many were added.
int CollectCopyEvents(const EventList& events, EventList& copyEvents, std::int32_t pingNumber);

}  // namespace hx
