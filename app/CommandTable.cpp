#include "app/CommandTable.h"

#include <algorithm>
#include <array>

namespace hx {

namespace {

using C = CommandId;

constexpr CommandInfo kCommands[] = {
    {C::Connect, "&Connect to Sonar Head...\tCtrl+N", "Connect to the sonar heads"},
    {C::Playback, "&Playback...\tCtrl+O", "Open a sonar data file for playback"},
    {C::Record, "Record Data...\tCtrl+S", "Record the sonar data to a file"},
    {C::StopRecording, "Stop Recording...\tCtrl+Z", "Stop recording"},
    {C::SettingsChangeAlarm, "Settings Change &Alarm", "Sound an alarm when the played settings change"},
    {C::SaveScreen, "&Save Screen", "Save the screen as an image file"},
    {C::SaveSelected, "Save Selected", "Save the selected area as an image file"},
    {C::SelectArea, "Select an area to save", "Choose an area of the sonar view to save"},
    {C::RecentFile1, "1", "Open this data file"},
    {C::RecentFile2, "2", "Open this data file"},
    {C::RecentFile3, "3", "Open this data file"},
    {C::RecentFile4, "4", "Open this data file"},
    {C::Exit, "E&xit", "Quit the application"},
    {C::EditCopy, "&Copy\tCtrl+C", "Copy the sonar picture to the clipboard"},
    {C::EditCut, "Cu&t\tCtrl+X", "Cut the selection to the clipboard"},
    {C::EditPaste, "&Paste\tCtrl+V", "Insert the clipboard contents"},
    {C::EditUndo, "&Undo\tAlt+Backspace", "Undo the last action"},
    {C::FilePrint, "&Print...\tCtrl+P", "Print the active window"},
    {C::NextPane, "Next Pane\tF6", "Switch to the next window"},
    {C::PrevPane, "Previous Pane\tShift+F6", "Switch back to the previous window"},
    {C::ClearScreen, "&Clear Screen", "Clear the sonar images"},
    {C::Grid, "&Grid", "Show the range grid"},
    {C::EsGrid, "&ES Grid", "Show the echo sounder grid"},
    {C::Hold, "&Hold", "Hold the display"},
    {C::ReversePlayback, "Reverse Playback", "Play the data file backwards"},
    {C::BitmapView, "Bitmap View", "Show the whole image"},
    {C::ZoomIn, "Zoom In", "Zoom in"},
    {C::ZoomOut, "Zoom Out", "Zoom out"},
    {C::ZoomFillScreen, "Fill the Screen", "Fit the image to the window"},
    {C::Zoom100, "100 %", "Show the image at its size"},
    {C::Zoom200, "200 %", "Show the image at twice its size"},
    {C::ZoomFactor100, "100 %", "Zoom factor 100 %"},
    {C::ZoomFactor125, "125 %", "Zoom factor 125 %"},
    {C::ZoomFactor150, "150 %", "Zoom factor 150 %"},
    {C::ZoomFactor175, "175 %", "Zoom factor 175 %"},
    {C::ZoomFactor200, "200 %", "Zoom factor 200 %"},
    {C::ZoomFactor300, "300 %", "Zoom factor 300 %"},
    {C::ZoomFactor400, "400 %", "Zoom factor 400 %"},
    {C::RestoreImage, "&Restore image", "Restore the image"},
    {C::PortOnly, "&Port Only", "Show the port side only"},
    {C::StbdOnly, "&Stbd Only", "Show the starboard side only"},
    {C::BothSides, "Both Sides", "Show both sides"},
    {C::StatusBar, "&Status Bar", "Show or hide the status bar"},
    {C::ToolBar, "&Toolbar", "Show or hide the toolbar"},
    {C::FilePlaybackBar, "&File Playback Bar", "Show or hide the file playback bar"},
    {C::ShowRange, "Show Range", "Show the range text"},
    {C::ShowMarkShadow, "Show Mark Shadow", "Show the mark shadow"},
    {C::TimeMarks, "Time Marks", "Mark the time at the next click"},
    {C::GpsMarks, "GPS Marks", "Mark the GPS position at the next click"},
    {C::UnitsMetric, "&Metric", "Show lengths in metres"},
    {C::UnitsImperial, "&Imperial", "Show lengths in feet"},
    {C::VerticalBlending, "&Vertical Blending", "Blend the rows added by the speed correction"},
    {C::SingleColourDisplay, "Display image use single R, G or B color", "Display image use single R, G or B color"},
    {C::BeamTestDisplay, "Display Beam Test", "Display Beam Test"},
    {C::ColorIndicator, "Color &Indicator", "Show the colour indicator"},
    {C::ColorNormalHigh, "Normal  &High", "Colour table Normal High"},
    {C::ColorNormalLow, "Normal  &Low", "Colour table Normal Low"},
    {C::ColorGreen, "Gr&een", "Colour table Green"},
    {C::ColorGrey, "&Grey", "Colour table Grey"},
    {C::ColorReverseGrey, "&Reverse Grey", "Colour table Reverse Grey"},
    {C::ColorBrownYellow, "&Brown / Yellow", "Colour table Brown / Yellow"},
    {C::ColorGreenBlue, "Gree&n / Blue", "Colour table Green / Blue"},
    {C::ColorGreenYellow, "Green / &Yellow", "Colour table Green / Yellow"},
    {C::ColorBlue, "Bl&ue", "Colour table Blue"},
    {C::ColorYellowBrown, "Yellow/Brown", "Colour table Yellow/Brown"},
    {C::CustomizePalette, "Customize", "Edit a custom colour table"},
    {C::ColorNightRed, "Night Re&d", "Colour table Night Red: dim red for work at night"},
    {C::NightMode, "Night Mode\tCtrl+Shift+N", "Dark windows and dim red pictures for work at night"},
    {C::NightBrighter, "Night Brighter\tCtrl+Shift+Up", "Brighten the night colours one step"},
    {C::NightDimmer, "Night Dimmer\tCtrl+Shift+Down", "Dim the night colours one step"},
    {C::Reconnect, "&Reconnect....", "Rebuild the connections to the sonar heads"},
    {C::Diagnostics, "&Diagnostics", "Show the link diagnostics"},
    {C::DrawPlusMark, "Draw '+' Mark", "Draw a '+' mark on the image"},
    {C::MeasureTargetHeight, "Measure Target &Height", "Measure a target's height from its shadow"},
    {C::MeasureRange, "Measure &Range", "Measure a range"},
    {C::MeasureDistance, "Measure &Distance", "Measure a distance"},
    {C::ClearLinesMarks, "&Clear Lines/Marks", "Clear the lines and marks"},
    {C::ShowGpsTrackPlotter, "Show &GPS Track Plotter", "Show the GPS track plotter"},
    {C::GpsCommPortSettings, "GPS Comm Port &Settings", "Set up the GPS port"},
    {C::SpeedCorrectionInfo, "&Speed Correction / Info", "Choose the speed source"},
    {C::ConvertUtcToLocal, "Convert UTC To Local Time", "Convert the GPS time to local time"},
    {C::SynchronizeGpsTime, "Synchronize with GPS Time", "Synchronise the clock with the GPS time"},
    {C::EraseGpsTracks, "&Erase GPS Tracks", "Erase the GPS tracks"},
    {C::GpsZoomIn, "Zoom &In", "Zoom the track plot in"},
    {C::GpsZoomOut, "Zoom &Out", "Zoom the track plot out"},
    {C::EnableEventInput, "&Enable Event Input", "Enable event input"},
    {C::HideEventMarker, "Hide Event &Marker", "Hide the event markers"},
    {C::AutoEventInfoPopUp, "&Auto Event Info PopUp", "Show event information automatically"},
    {C::EventReviewEdit, "Event &Review/Edit", "Review and edit the events"},
    {C::HoldWhenAddingEvent, "&Hold When Adding an Event", "Hold the display while an event is added"},
    {C::LoadWaypointList, "&Load Waypoint List", "Load a waypoint list"},
    {C::Sonar120, "Sonar 120 kHz", "Show the 120 kHz sonar window"},
    {C::Sonar260, "Sonar 260 kHz", "Show the 260 kHz sonar window"},
    {C::Sonar540, "Sonar 540 kHz", "Show the 540 kHz sonar window"},
    {C::EchoSounder, "Echo Sounder", "Show or hide the echo sounder window"},
    {C::OrientationHistory, "Orientation History", "Show the orientation history"},
    {C::OrientationFilters, "Orientation Filters", "Switch the orientation filters"},
    {C::TransmitEnable, "Transmit Enable", "Switch the transmitters"},
    {C::RangeChoice10, "10 m", "Set the sidescan range to 10 m"},
    {C::RangeChoice20, "20 m", "Set the sidescan range to 20 m"},
    {C::RangeChoice30, "30 m", "Set the sidescan range to 30 m"},
    {C::RangeChoice40, "40 m", "Set the sidescan range to 40 m"},
    {C::RangeChoice50, "50 m", "Set the sidescan range to 50 m"},
    {C::RangeChoice60, "60 m", "Set the sidescan range to 60 m"},
    {C::RangeChoice80, "80 m", "Set the sidescan range to 80 m"},
    {C::RangeChoice100, "100 m", "Set the sidescan range to 100 m"},
    {C::RangeChoice120, "120 m", "Set the sidescan range to 120 m"},
    {C::RangeChoice150, "150 m", "Set the sidescan range to 150 m"},
    {C::RangeChoice200, "200 m", "Set the sidescan range to 200 m"},
    {C::XmitPortLow, "Low", "Switch the port transmitter of the low head"},
    {C::XmitPortMedium, "Medium ", "Switch the port transmitter of the medium head"},
    {C::XmitPortHigh, "High", "Switch the port transmitter of the high head"},
    {C::XmitStbdLow, "Low", "Switch the starboard transmitter of the low head"},
    {C::XmitStbdMedium, "Medium", "Switch the starboard transmitter of the medium head"},
    {C::XmitStbdHigh, "High", "Switch the starboard transmitter of the high head"},
    {C::XmitEchoSounder, "Xmit Disable (ES)", "Switch the echo sounder's transmitter"},
    {C::NotAvailableL, "120 kHz", "Mark the 120 kHz head not available"},
    {C::NotAvailableM, "240 kHz", "Mark the 260 kHz head not available"},
    {C::NotAvailableH, "675 kHz", "Mark the high-frequency head not available"},
    {C::NotAvailableES, "Echo Sounder", "Mark the echo sounder not available"},
    {C::RollFilter, "Roll Filter On", "Filter the roll"},
    {C::PitchFilter, "Pitch Filter On", "Filter the pitch"},
    {C::HeadingFilter, "Heading Filter On", "Filter the heading"},
    {C::TemperatureFilter, "Temperature Filter On", "Filter the temperature"},
    {C::DepthFilter, "Depth Filter On", "Filter the depth"},
    {C::AltitudeFilter, "Altitude Filter On", "Filter the altitude"},
    {C::DefaultLayout, "Default Layout", "Arrange the windows in the default layout"},
    {C::BeamCoverage, "&Beam Coverage", "Show the beam coverage"},
    {C::HotKeys, "&Hot Keys...", "List the hot keys"},
    {C::About, "&About HX642...", "Display program information"},
    {C::RangeIncrease, "Increase Range", "Increase the Operating Range"},
    {C::RangeDecrease, "Decrease Range", "Decrease the Operating Range"},
    {C::GainIncrease, "Increase Gain", "Increase the Gain to Boost Signal Strength"},
    {C::GainDecrease, "Decrease Gain", "Decrease the Gain to Boost Signal Strength"},
    {C::DisplayLowHighDib, "Display Low freq DIB or High Freq DIB", "Display Low freq DIB or High Freq DIB"},
    {C::ViewKeyLeft, "Left", "Move the pointer left"},
    {C::ViewKeyRight, "Right", "Move the pointer right"},
    {C::ViewKeyUp, "Up", "Move the pointer up"},
    {C::ViewKeyDown, "Down", "Move the pointer down"},
    {C::ViewKeyZoomCycle, "Zoom Cycle", "Cycle the zoom about the pointer"},
    {C::ExportXtf, "Export to XTF...", "Export the played recording, or part of it, as an XTF file"},
    {C::ExportTrack, "Export Track...", "Export the recording's track as GPX, KML or CSV"},
    {C::ExportEvents, "Export Events...", "Export the recording's events as GPX, KML or CSV"},
};

constexpr Accelerator kAccelerators[] = {
    {"+", C::GpsZoomIn},        {"-", C::GpsZoomOut},       {"=", C::GpsZoomIn},
    {"C", C::ClearScreen},      {"H", C::Hold},             {"Ctrl+N", C::Connect},
    {"Ctrl+O", C::Playback},    {"R", C::RestoreImage},     {"Ctrl+S", C::Record},
    {"Down", C::ViewKeyDown},   {"Left", C::ViewKeyLeft},   {"Right", C::ViewKeyRight},
    {"Up", C::ViewKeyUp},       {"Z", C::ViewKeyZoomCycle}, {"Ctrl+Z", C::StopRecording},
    {"Ctrl+C", C::EditCopy},    {"Ctrl+Ins", C::EditCopy}, {"Ctrl+V", C::EditPaste},
    {"Shift+Ins", C::EditPaste}, {"Alt+Backspace", C::EditUndo}, {"Shift+Del", C::EditCut},
    {"Ctrl+X", C::EditCut},     {"Ctrl+P", C::FilePrint},   {"F6", C::NextPane},
    {"Shift+F6", C::PrevPane},  {"Ctrl+Shift+N", C::NightMode}, {"Ctrl+Shift+Up", C::NightBrighter},
    {"Ctrl+Shift+Down", C::NightDimmer},
};

constexpr ToolbarSlot kToolbar[] = {
    {false, C::Connect},         {false, C::Playback},        {false, C::Record},
    {false, C::StopRecording},   {true, {}},                  {false, C::RangeIncrease},
    {false, C::RangeDecrease},   {false, C::GainIncrease},    {true, {}},
    {false, C::GainDecrease},    {false, C::ClearScreen},     {false, C::Hold},
    {false, C::ZoomIn},          {false, C::ZoomOut},         {false, C::DrawPlusMark},
    {false, C::MeasureTargetHeight}, {false, C::MeasureRange}, {false, C::MeasureDistance},
    {false, C::ClearLinesMarks}, {false, C::RestoreImage},    {true, {}},
    {false, C::DisplayLowHighDib}, {true, {}},                {false, C::About},
};

constexpr std::array<CommandId, 10> kColorTables = {
    C::ColorNormalHigh, C::ColorNormalLow, C::ColorGreen, C::ColorGrey, C::ColorReverseGrey,
    C::ColorBrownYellow, C::ColorGreenBlue, C::ColorGreenYellow, C::ColorBlue, C::ColorYellowBrown,
};

MenuItem item(CommandId id) { return MenuItem{MenuItem::Kind::Command, id, nullptr, {}}; }
MenuItem separator() { return MenuItem{MenuItem::Kind::Separator, {}, nullptr, {}}; }
MenuItem submenu(const char* title, std::vector<MenuItem> children) {
    return MenuItem{MenuItem::Kind::Submenu, {}, title, std::move(children)};
}
MenuItem recentFiles() { return MenuItem{MenuItem::Kind::RecentFiles, {}, nullptr, {}}; }

std::vector<MenuSpec> buildMenuBar() {
    std::vector<MenuItem> colors;
    for (CommandId id : kColorTables) colors.push_back(item(id));
    colors.push_back(item(C::ColorNightRed));
    colors.push_back(separator());
    colors.push_back(item(C::CustomizePalette));
    return {
        {"&File",
         {item(C::Connect), item(C::Playback), separator(), item(C::Record), item(C::StopRecording), separator(),
          item(C::SettingsChangeAlarm), separator(), item(C::SaveScreen), item(C::SelectArea), item(C::SaveSelected),
          separator(), item(C::ExportXtf), item(C::ExportTrack), item(C::ExportEvents),
          separator(), recentFiles(), separator(), item(C::Exit)}},
        {"&View",
         {item(C::ClearScreen), item(C::Grid), item(C::EsGrid), item(C::Hold),
          submenu("Zoom", {item(C::ZoomFillScreen), item(C::Zoom100), item(C::Zoom200)}), item(C::RestoreImage),
          separator(), item(C::PortOnly), item(C::StbdOnly), item(C::BothSides), separator(), item(C::StatusBar),
          item(C::ToolBar), item(C::FilePlaybackBar), separator(), item(C::ShowRange), item(C::ShowMarkShadow),
          item(C::ColorIndicator), submenu("&Units", {item(C::UnitsMetric), item(C::UnitsImperial)}), separator(),
          item(C::VerticalBlending), item(C::SingleColourDisplay), item(C::BeamTestDisplay), separator(),
          item(C::NightMode), item(C::NightBrighter), item(C::NightDimmer)}},
        {"&Color Table", colors},
        {"Co&mmunication", {item(C::Reconnect), item(C::Diagnostics)}},
        {"&Measure",
         {item(C::DrawPlusMark), item(C::MeasureTargetHeight), item(C::MeasureRange), item(C::MeasureDistance),
          separator(), item(C::ClearLinesMarks)}},
        {"&GPS Options",
         {item(C::ShowGpsTrackPlotter), item(C::GpsCommPortSettings), item(C::SpeedCorrectionInfo), separator(),
          item(C::ConvertUtcToLocal), item(C::SynchronizeGpsTime), separator(), item(C::EraseGpsTracks),
          item(C::GpsZoomIn), item(C::GpsZoomOut), item(C::LoadWaypointList)}},
        {"&Events",
         {item(C::EnableEventInput), item(C::HoldWhenAddingEvent), item(C::HideEventMarker),
          item(C::AutoEventInfoPopUp), item(C::EventReviewEdit)}},
        {"&Sonar",
         {item(C::Sonar120), item(C::Sonar260), item(C::Sonar540), item(C::EchoSounder),
          item(C::OrientationHistory)}},
        {"&Options",
         {item(C::OrientationFilters), item(C::TransmitEnable), separator(),
          submenu("Range", {item(C::RangeChoice10), item(C::RangeChoice20), item(C::RangeChoice30),
                            item(C::RangeChoice40), item(C::RangeChoice50), item(C::RangeChoice60),
                            item(C::RangeChoice80), item(C::RangeChoice100), item(C::RangeChoice120),
                            item(C::RangeChoice150), item(C::RangeChoice200)}),
          submenu("Xmit Disable (Port)", {item(C::XmitPortLow), item(C::XmitPortMedium), item(C::XmitPortHigh)}),
          submenu("Xmit Disable (Stbd)", {item(C::XmitStbdLow), item(C::XmitStbdMedium), item(C::XmitStbdHigh)}),
          item(C::XmitEchoSounder),
          submenu("Not Available",
                  {item(C::NotAvailableL), item(C::NotAvailableM), item(C::NotAvailableH), item(C::NotAvailableES)}),
          separator(), item(C::RollFilter), item(C::PitchFilter), item(C::HeadingFilter), item(C::TemperatureFilter),
          item(C::DepthFilter), item(C::AltitudeFilter)}},
        {"&Window", {item(C::DefaultLayout)}},
        {"&Help", {item(C::BeamCoverage), item(C::HotKeys), separator(), item(C::About)}},
    };
}

}  // namespace

std::span<const CommandInfo> allCommands() { return kCommands; }

const CommandInfo* findCommand(CommandId id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : it;
}

std::span<const Accelerator> acceleratorTable() { return kAccelerators; }

const std::vector<MenuSpec>& menuBarLayout() {
    static const std::vector<MenuSpec> menus = buildMenuBar();
    return menus;
}

std::span<const ToolbarSlot> toolbarLayout() { return kToolbar; }

std::span<const CommandId> colorTableCommands() { return kColorTables; }

}  // namespace hx
