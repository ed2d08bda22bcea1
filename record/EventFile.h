// The event file beside a data file (same name, last three characters
// replaced by "an"): eight text lines per event, events in list order.
//
//   3                     event number, "%d"
//   1207                  ping number, "%d"
//   0.412500              marker position as a fraction of the image width, "%f"
//   54.12.345 N           latitude text
//   007.45.678 E          longitude text
//   07-DEC-2026           date text
//   14:05:09              time text
//   wreck, port side      annotation
#pragma once

#include <string>
#include <string_view>

#include "core/Notifier.h"
#include "record/EventList.h"
#include "record/FileAccess.h"

namespace hx {

// "x.642" -> "x.an": the name with its last three characters replaced.
std::string eventFilePathFor(const std::string& dataFilePath);

// The file text of the list's entries. A text that lacks its closing newline
// gets one, and line breaks inside a text become spaces, so that every event
// keeps its eight lines. Positions are written within 0..1 with six decimals.
std::string formatEventFile(const EventList& list);

struct EventFileParse {
    bool damaged = false;     // an event number outside 0..99, a number line that is
                              // no number, or an event cut short at the end
    bool overflow = false;    // more than 100 events: the rest was left out
};
// Parses the file text into list (emptied first). Events read before a
// damaged one stay. Lines may end in "\n" or "\r\n"; texts keep "\n". A
// position outside 0..1 is brought to the nearest edge (the marker is drawn
// inside the image); a position that is not a number is damage.
EventFileParse parseEventFile(std::string_view text, EventList& list);

// Empties the file and writes the list into it.
bool writeEventFile(IRandomAccessFile& file, const EventList& list);

// Loads the list from the file; a damaged file shows "Event Info File
// Damaged!" and keeps the events before the damage.
EventFileParse loadEventFile(IRandomAccessFile& file, EventList& list, INotifier& notifier);

}  // namespace hx
