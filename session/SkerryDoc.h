// The one document: every subsystem's state side by side. It holds data
// only; the session's engines, the program's windows and its commands change
// it on the user-interface thread, each through the narrowest part it needs.
// The GPS reader thread never touches it: its snapshots arrive by queued
// signal.
#pragma once

#include <string>

#include "imaging/ColourTables.h"
#include "imaging/DisplaySettings.h"
#include "imaging/StorePing.h"
#include "link/HeadHealth.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"
#include "nav/GpsFreshness.h"
#include "nav/GpsSettings.h"
#include "nav/GpsSnapshot.h"
#include "nav/SpeedSource.h"
#include "nav/TrackPlotSettings.h"
#include "nav/TrackPlotter.h"
#include "nav/WaypointList.h"
#include "record/DataFileState.h"
#include "record/EventList.h"
#include "record/RecorderState.h"
#include "record/RecorderTexts.h"
#include "session/InstrumentColumns.h"
#include "session/PlaybackState.h"
#include "settings/StoredSettings.h"

namespace hx {

// Display switches: the sidescan views' own (grid, units, range text, paint
// time, scroll) and the others the status bars and settings keep.
struct ViewFlags : SidescanViewFlags {
    int showEsGrid = 1;
    int showColorIndicator = 0;  // always starts hidden
    int markerTextSize = 14;
    int settingsChangeAlarm = 0;  // 0 off, 1 armed, 2 due
    int nightMode = 0;            // dark windows and the night red table
};

struct CSkerryDoc {
    // Link.
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    LinkHealthMeter linkHealth;  // each head's pings and their age, live only
    // Imaging.
    ImagingState imaging;
    PaletteState palette;
    // Recording.
    RecorderState recorder;
    DataFileState dataFile;
    EventListState events;
    PlaybackState playback;
    // Navigation.
    GpsSettings gps;
    GpsSnapshot gpsLatest;       // live: the reader's last snapshot; playback: the played record's fix
    GpsFreshness gpsFreshness;   // live: when the receiver last spoke and last gave a position
    SpeedSettings speed;
    SpeedSource imagingSpeed;    // the line count's view of the speed settings
    TrackState track;
    TrackPlotSettings trackPlot;       // "GPS Tracking" (the window is wanted) and "GPS Zoom Factor"
    WaypointTable waypoints;           // the latest waypoint list
    WaypointMarkerPath waypointMarks;  // its marks in track-plot metres
    InstrumentDisplays instruments;    // the echogram and the orientation history, a column per ping
    // Shell.
    ViewFlags view;
    StoredSettings stored;       // as last loaded, for the keys nothing else holds
    std::string settingsPath;
    std::string programDirectory;
    std::string windowTitle = kRealTimeCaption;
    bool closing = false;
};

// The speed inputs of the line count, from the navigation settings.
SpeedSource speedSourceOf(const SpeedSettings& speed);

}  // namespace hx
