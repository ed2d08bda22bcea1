// Where the along-track speed comes from (GPS, manual, or the 3.0-knot
// default), whether speed correction is on, and the two stored GPS time
// options. The settings live in the document and the INI file; the "Speed
// Info" dialog edits them through SpeedDialogModel; imaging reads them per
// ping through speedForPingKnots.
#pragma once

#include <cstdint>
#include <string>

namespace hx {

inline constexpr double kDefaultShipSpeedKnots = 3.0;

struct SpeedSettings {
    std::int32_t useGpsSpeed = 1;             // "UseGPSSpeed"
    std::int32_t useManualSpeed = 0;          // "UseManualSpeed"; wins over useGpsSpeed
    double manualShipSpeed = kDefaultShipSpeedKnots;  // knots; "ManualShipSpeed" holds tenths
    std::int32_t speedCorrectionEnabled = 1;  // "Speed Correction Enabled"
    std::int32_t convertUtcToLocal = 0;       // "Convert UTC to Local Time"
    std::int32_t autoSyncGpsTime = 0;         // "Auto Synchronize with GPS Time"
};

// The speed for one ping, knots, from the ping's recorded GPS speed.
double speedForPingKnots(const SpeedSettings& s, double recordedGpsSpeedKnots);

// "ManualShipSpeed" stores tenths of a knot (3.0 knots -> 30); values from
// the file are kept within the dialog's 0..10 knots.
double manualSpeedFromSetting(long long tenths);
long long manualSpeedToSetting(double knots);

enum class SpeedSourceChoice { GpsSpeed, ManualSpeed, ProgramDefault };

// The modal "Speed Info" dialog's working state: the window shows it and
// forwards the operator's actions.
class SpeedDialogModel {
public:
    explicit SpeedDialogModel(const SpeedSettings& s);

    SpeedSourceChoice source() const { return source_; }
    void chooseSource(SpeedSourceChoice c) { source_ = c; }
    bool speedCorrection() const { return correction_; }
    void setSpeedCorrection(bool on) { correction_ = on; }

    double workingSpeedKnots() const { return workingKnots_; }
    int spinPosition() const;  // trunc(working speed x 10), 0..100
    // Spin step (+1 / -1): outside 0..100 nothing changes. Returns whether it did.
    bool stepSpin(int step);
    // A value typed into the "Manual Ship Speed:" box: taken when it is a
    // number from 0.0 to 10.0, otherwise refused (false).
    bool setTypedSpeed(const std::string& text);
    std::string speedBoxText() const;  // "%.1f"

    // OK: writes the working values into the settings.
    void accept(SpeedSettings& s) const;

private:
    SpeedSourceChoice source_;
    bool correction_;
    double workingKnots_;
};

// "Convert UTC To Local Time": flips the option; its check mark shows it.
void toggleConvertUtcToLocal(SpeedSettings& s);
// "Synchronize with GPS Time": sets the option; only in real time.
bool synchronizeWithGpsTimeEnabled(bool playbackMode);
void synchronizeWithGpsTime(SpeedSettings& s, bool playbackMode);

}  // namespace hx
