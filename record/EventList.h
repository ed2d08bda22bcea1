// Event annotations of one data file as the document holds them: the event
// list of the current file and the copy list that collects the events passed
// while copying during playback, each at most 100 entries in ascending ping
// order. Changed by the event dialog, the recorder (emptied on start, written
// on stop) and playback (loaded on open).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace hx {

inline constexpr int kMaxEvents = 100;
inline constexpr int kMaxEventNumber = 99;
inline constexpr std::size_t kMaxAnnotationChars = 512;

struct EventEntry {
    std::int32_t number = -1;     // 0..99
    std::int32_t ping = -1;       // ping number of the record the event belongs to
    double position = -4000.0;    // marker x as a fraction of the image width
    // The texts keep a trailing newline, as in the event file.
    std::string latitude;
    std::string longitude;
    std::string date;
    std::string time;
    std::string annotation;       // at most 512 characters, "n/a" when left empty
};

struct EventList {
    std::array<EventEntry, kMaxEvents> entries{};
    int count = 0;
};

struct EventListState {
    EventList events;      // of the current data file
    EventList copyEvents;  // passed while copying during playback

    // Option switches of the event commands.
    bool enableEventInput = false;
    bool holdWhenAddingEvent = false;
    bool autoEventInfoPopup = false;
    bool hideEventMarker = false;
};

// Every entry back to number -1, ping -1, position -4000.0 and empty texts.
void emptyEventList(EventList& list);

}  // namespace hx
