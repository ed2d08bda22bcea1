// The event commands and the "Event Information" dialog's logic: event input
// at a clicked row (numbered, with the row's ping, time and GPS texts and
// the operator's text), review with NEXT, PREV, EDIT and DELETE, the event
// shown when a played record carries an event mark, the hold lock while the
// dialog is open, and the event mark of the ping's record rewritten in the
// played file and the recording. Driven on the user-interface thread by the
// commands, the dialog's buttons, the views' clicks and the played pings;
// it changes the event lists, the hold lock and, through the playback
// engine, Hold.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Notifier.h"
#include "imaging/EventMarkers.h"
#include "imaging/StorePing.h"
#include "link/LinkState.h"
#include "record/DataFileState.h"
#include "record/EventList.h"
#include "record/ReadWriteFiles.h"
#include "record/RecorderState.h"
#include "session/PlaybackEngine.h"
#include "session/PlaybackState.h"

namespace hx {

inline constexpr const char* kNoEventsText = "No events found in this file!";
inline constexpr const char* kNoMoreEventsText = "No more events in this file!";
inline constexpr const char* kEditDeniedText = "File Deny write!";
inline constexpr const char* kDeleteDeniedText = "File Deny Write!";
inline constexpr const char* kSelectEventFirstText = "Please use 'PREV' or 'NEXT' commands to select an event!";
inline constexpr const char* kDeleteQuestionText = "Do you really want to delete this event?";
inline constexpr const char* kEventNumberRangeText = "Enter an integer between 0 and 99.";
inline constexpr const char* kEventListFullText = "This file already holds 100 events; no more can be added.";
inline constexpr const char* kEventNumberTakenText = "This event number is already used in this file.";
inline constexpr const char* kPingNotRecordedText = "The ping of this row is not in the data file; no event can be added.";
inline constexpr const char* kMarkNotWrittenText = "The event mark could not be written into the data file.";

enum class EventDialogMode { Closed = 0, Input = 1, Review = 2 };

// What the dialog shows; texts without their trailing newline.
struct EventFields {
    std::int32_t number = 0;
    std::int32_t ping = 0;
    std::string latitude;
    std::string longitude;
    std::string date;
    std::string time;
    std::string annotation;
};

// The "Event Information" dialog as the logic drives it.
class IEventDialog {
public:
    virtual ~IEventDialog() = default;
    // Input: a new event (number editable) or, editing, the annotation of
    // the event shown; the text box is editable and has the focus.
    virtual void showInput(const EventFields& fields, bool editing) = 0;
    // An event read-only, with the NEXT, PREV, DELETE and EDIT buttons.
    virtual void showEvent(const EventFields& fields) = 0;
    virtual void hide() = 0;
};

struct EventDocument {
    EventListState& events;
    DataFileState& dataFile;
    const RecorderState& recorder;
    const LinkFields& link;
    PlaybackState& playback;  // the hold lock, read-only media, scrolling
    ImagingState& imaging;    // the rows clicked, Hold
    const CycleValues& cycle; // the date text
};

struct EventPorts {
    CReadWriteFiles& files;
    PlaybackEngine& engine;  // Hold, in both modes
    INotifier& notifier;
    IEventDialog& dialog;
    std::function<void()> redrawViews{};
};

class EventAnnotations {
public:
    EventAnnotations(EventDocument doc, EventPorts ports);

    // --- commands and their update handlers ---
    bool canEnableInput() const;  // in playback (not copying), or recording in real time
    bool canHoldWhenAdding() const;
    bool canAutoPopup() const;    // in playback while scrolling
    bool canHideMarker() const;
    bool canReview() const;       // in playback, not copying
    void toggleEnableInput();
    void toggleHoldWhenAdding();
    void toggleAutoPopup();       // off hides a shown event
    void toggleHideMarker();
    void toggleReview();          // "Event &Review/Edit"
    bool reviewing() const { return reviewing_; }

    // --- a click on a sidescan view at an image column and row ---
    // Starts event input when the option is on; true when the dialog opened.
    bool clickAt(std::int64_t imageX, std::int32_t row);
    // A double click opens event input at that place with or without the
    // option, wherever input is possible (the command's enable rule).
    bool doubleClickAt(std::int64_t imageX, std::int32_t row);

    // --- the dialog's buttons ---
    void ok(const std::string& numberText, const std::string& annotation);
    void cancel();
    void next();
    void prev();
    void remove();  // "DELETE"
    void edit();

    // --- playback ---
    // After each played record: a record with an event mark selects its
    // event and, with "Auto Event Info PopUp", shows it.
    void onPlayedPing(const PingOutcome& outcome);
    // The played file closes (or "Bitmap View" starts): the dialog goes.
    void closeForFileChange();

    // The markers to draw: every event of the list, unless hidden.
    std::vector<EventMarkerRequest> markers() const;
    bool markersHidden() const { return doc_.events.hideEventMarker; }

    EventDialogMode mode() const { return mode_; }
    bool editing() const { return editing_; }
    bool eventSelected() const { return selectedFlag_; }
    std::int32_t selectedNumber() const { return selectedNumber_; }
    int reviewIndex() const { return index_; }

private:
    bool inPlayback() const { return doc_.link.playbackMode != 0; }
    bool copying() const { return doc_.recorder.recording && doc_.recorder.copying; }
    bool recordingLive() const { return !inPlayback() && doc_.recorder.recording && !doc_.recorder.copying; }
    EventList& list() { return doc_.events.events; }
    const EventList& list() const { return doc_.events.events; }
    int findNumber(std::int32_t number) const;
    std::int32_t nextEventNumber() const;

    bool startInput(std::int64_t imageX, std::int32_t row);
    void lockAndHold(bool hold);
    void closeDialog();
    void showAt(int index);
    MarkRewrite writeMark(std::int32_t ping, std::uint16_t mark, bool& anyTarget);
    void redraw();

    EventDocument doc_;
    EventPorts ports_;
    EventDialogMode mode_ = EventDialogMode::Closed;
    bool editing_ = false;
    bool reviewing_ = false;     // review entered by the command
    bool locked_ = false;        // this dialog holds the hold lock
    bool heldByDialog_ = false;  // Hold was switched on for the dialog
    int index_ = -1;
    std::int32_t selectedNumber_ = 0;
    bool selectedFlag_ = false;

    // The event being entered.
    std::int32_t pendingPing_ = 0;
    double pendingPosition_ = 0.0;
    EventFields pendingFields_;
};

// The annotation as stored: line breaks become spaces, at most 512
// characters, "n/a" when empty, then a newline.
std::string StoredAnnotation(const std::string& text);

}  // namespace hx
