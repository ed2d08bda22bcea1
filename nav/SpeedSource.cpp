#include "nav/SpeedSource.h"

#include <cmath>
#include <cstdio>

#include "nav/NmeaFields.h"

namespace hx {

double speedForPingKnots(const SpeedSettings& s, double recorded) {
    if (s.speedCorrectionEnabled == 0) return kDefaultShipSpeedKnots;
    if (s.useManualSpeed != 0) return s.manualShipSpeed;
    if (s.useGpsSpeed == 0) return kDefaultShipSpeedKnots;
    if (!(recorded > 0.0) || !std::isfinite(recorded)) return kDefaultShipSpeedKnots;
    return recorded;
}

double manualSpeedFromSetting(long long tenths) {
    if (tenths < 0) tenths = 0;
    if (tenths > 100) tenths = 100;
    return static_cast<double>(tenths) / 10.0;
}

long long manualSpeedToSetting(double knots) { return std::llround(knots * 10.0); }

SpeedDialogModel::SpeedDialogModel(const SpeedSettings& s)
    : source_(s.useManualSpeed ? SpeedSourceChoice::ManualSpeed
              : s.useGpsSpeed  ? SpeedSourceChoice::GpsSpeed
                               : SpeedSourceChoice::ProgramDefault),
      correction_(s.speedCorrectionEnabled != 0),
      workingKnots_(s.manualShipSpeed) {}

int SpeedDialogModel::spinPosition() const { return static_cast<int>(std::trunc(workingKnots_ * 10.0 + 1e-9)); }

bool SpeedDialogModel::stepSpin(int step) {
    const int p = spinPosition() + step;
    if (p < 0 || p > 100) return false;
    workingKnots_ = p / 10.0;
    return true;
}

bool SpeedDialogModel::setTypedSpeed(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return false;
    const char c = text[i];
    if (!((c >= '0' && c <= '9') || c == '.')) return false;
    const double v = nmea::toDouble(text);
    if (v < 0.0 || v > 10.0) return false;
    workingKnots_ = std::round(v * 10.0) / 10.0;
    return true;
}

std::string SpeedDialogModel::speedBoxText() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", workingKnots_);
    return buf;
}

void SpeedDialogModel::accept(SpeedSettings& s) const {
    s.manualShipSpeed = workingKnots_;
    s.useManualSpeed = source_ == SpeedSourceChoice::ManualSpeed ? 1 : 0;
    s.useGpsSpeed = source_ == SpeedSourceChoice::GpsSpeed ? 1 : 0;
    s.speedCorrectionEnabled = correction_ ? 1 : 0;
}

void toggleConvertUtcToLocal(SpeedSettings& s) { s.convertUtcToLocal = s.convertUtcToLocal ? 0 : 1; }

bool synchronizeWithGpsTimeEnabled(bool playbackMode) { return !playbackMode; }

void synchronizeWithGpsTime(SpeedSettings& s, bool playbackMode) {
    if (synchronizeWithGpsTimeEnabled(playbackMode)) s.autoSyncGpsTime = 1;
}

}  // namespace hx
