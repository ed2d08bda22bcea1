// The program's command identifiers. Menus, accelerators, toolbar buttons
// and status-bar prompts all carry these numbers; one router maps each to
// its handler and its update handler.
#pragma once

namespace hx {

enum class CommandId : int {
    // File
    Connect = 32858,
    Playback = 57601,
    Record = 57604,
    StopRecording = 32807,
    SettingsChangeAlarm = 32854,
    SaveScreen = 32782,
    SaveSelected = 32783,
    RecentFile1 = 57616,
    RecentFile2 = 57617,
    RecentFile3 = 57618,
    RecentFile4 = 57619,
    Exit = 57665,
    // View
    ClearScreen = 32772,
    Grid = 32774,
    EsGrid = 32918,
    Hold = 32778,
    ReversePlayback = 32863,
    BitmapView = 32864,
    ZoomIn = 32815,
    ZoomOut = 32814,
    ZoomFillScreen = 41045,
    Zoom100 = 41046,
    Zoom200 = 41047,
    ZoomFactor100 = 32883,
    ZoomFactor125 = 32884,
    ZoomFactor150 = 32885,
    ZoomFactor175 = 32886,
    ZoomFactor200 = 32887,
    ZoomFactor300 = 32888,
    ZoomFactor400 = 32889,
    RestoreImage = 32816,
    PortOnly = 32796,
    StbdOnly = 32798,
    BothSides = 32800,
    StatusBar = 59393,
    ToolBar = 59392,
    FilePlaybackBar = 32808,
    ShowRange = 32851,
    ShowMarkShadow = 32812,
    UnitsMetric = 32834,
    UnitsImperial = 32836,
    VerticalBlending = 32837,
    ColorIndicator = 32861,
    // Colour tables
    ColorNormalHigh = 32891,
    ColorNormalLow = 32892,
    ColorGreen = 32893,
    ColorGrey = 32894,
    ColorReverseGrey = 32895,
    ColorBrownYellow = 32896,
    ColorGreenBlue = 32897,
    ColorGreenYellow = 32898,
    ColorBlue = 32899,
    ColorYellowBrown = 32900,
    CustomizePalette = 41127,
    // Communication
    Reconnect = 32803,
    Diagnostics = 32801,
    // Measure
    DrawPlusMark = 32805,
    MeasureTargetHeight = 32839,
    MeasureRange = 32810,
    MeasureDistance = 32804,
    ClearLinesMarks = 32811,
    // GPS options
    ShowGpsTrackPlotter = 32794,
    GpsCommPortSettings = 32792,
    SpeedCorrectionInfo = 32806,
    ConvertUtcToLocal = 32852,
    SynchronizeGpsTime = 32853,
    EraseGpsTracks = 32856,
    GpsZoomIn = 32832,
    GpsZoomOut = 32833,
    // Events
    EnableEventInput = 32846,
    HideEventMarker = 32844,
    AutoEventInfoPopUp = 32847,
    EventReviewEdit = 32848,
    HoldWhenAddingEvent = 32867,
    LoadWaypointList = 32849,
    // Sonar windows
    Sonar120 = 32910,
    Sonar260 = 32912,
    Sonar540 = 32914,
    EchoSounder = 32916,
    OrientationHistory = 32921,
    // Options
    OrientationFilters = 41051,
    TransmitEnable = 41052,
    // Window and help
    DefaultLayout = 41050,
    BeamCoverage = 32857,
    HotKeys = 32868,
    About = 57664,
    // Toolbar only
    RangeIncrease = 32791,
    RangeDecrease = 32793,
    GainIncrease = 32795,
    GainDecrease = 32797,
    DisplayLowHighDib = 41049,
    // Keyboard only: the sidescan view's pointer keys and zoom cycle
    ViewKeyLeft = 32785,
    ViewKeyRight = 32786,
    ViewKeyUp = 32787,
    ViewKeyDown = 32788,
    ViewKeyZoomCycle = 32777,
};

}  // namespace hx
