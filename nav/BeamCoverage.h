// The beam coverage planning window's arithmetic: its parameters and the
// button actions that change them, the picture's geometry, the 600 rays of
// the shaded fan with their directivity and intensity, and the texts on
// screen and on the printed page. Independent of the live data.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hx {

enum class BeamFrequency : int { Low = 0, Medium = 1, High = 2 };

struct BeamCoverageParams {
    BeamFrequency frequency = BeamFrequency::Low;
    std::int32_t rangeM = 50;
    std::int32_t heightFt = 90;  // towfish above the bottom; metres mode shows and steps it by 3
    std::int32_t gain = 20;      // 0..100
    double gainScale = 40.0;
    std::int32_t feetMode = 0;   // display units only
};

const char* beamFrequencyName(BeamFrequency f);  // "Low", "Medium", "High"
int beamWidthDeg(BeamFrequency f);               // 75, 60, 30

// The buttons, by their ids.
enum BeamButton : int {
    kBeamFrequencyUp = 41001,
    kBeamFrequencyDown = 41002,
    kBeamHeightUp = 41003,
    kBeamHeightDown = 41004,
    kBeamRangeUp = 41005,
    kBeamRangeDown = 41006,
    kBeamMeters = 41010,
    kBeamFeet = 41011,
    kBeamGainUp = 41012,
    kBeamGainDown = 41013,
    kBeamPreview = 57609,
    kBeamPrint = 57607,
};

// Runs a parameter button; returns false for ids that are not one.
bool applyBeamButton(BeamCoverageParams& p, int buttonId);

// The range ladder 10 .. 200 m.
inline constexpr std::array<std::int32_t, 11> kBeamRangeLadderM = {10, 20, 30, 40, 50, 60, 80, 100, 125, 150, 200};
std::int32_t beamRangeUp(std::int32_t rangeM);
std::int32_t beamRangeDown(std::int32_t rangeM);

struct BeamGeometry {
    int leftPx = 10;
    int pictureRightPx = 0;  // client width - 170
    int centreX = 0;         // c = 10 + (client width - 180) / 2
    int halfWidthPx = 0;     // P = c - 10, the range's length
    int towfishY = 130;
    int bottomY = 0;         // towfish y + (height / 3 x P) / range
    double pxPerM = 0.0;
};
BeamGeometry beamGeometry(const BeamCoverageParams& p, int clientWidthPx);

struct BeamRay {
    int dx = 0, dy = 0;   // end of the starboard ray from the towfish; port mirrors dx
    int intensity = 0;    // 0..255
};

// The fan: 600 rays 0.3 degrees apart from straight down-port to
// straight down-starboard, depressed 20 degrees, each with the intensity of
// the sin(x)/x directivity of the frequency's beam width at the gain. Only
// rays with dx >= 0 are drawn; all 600 are returned.
std::vector<BeamRay> beamFan(const BeamCoverageParams& p, int halfWidthPx);
inline constexpr int kBeamRayCount = 600;

// Texts over the fan.
std::string beamWidthText(const BeamCoverageParams& p);  // "BeamWidth: %d deg."
std::string beamRangeText(const BeamCoverageParams& p);  // "Range = %d m" / "Range = %d ft"
std::string beamHeightText(const BeamCoverageParams& p); // "H: %d m" / "H: %d ft"

// The panel beside the buttons: caption and value.
struct BeamPanelLine {
    std::string caption;
    std::string value;
};
std::array<BeamPanelLine, 5> beamPanel(const BeamCoverageParams& p);  // Freq, Range, Height, Gain, Units

// The printed page's title and settings line.
inline constexpr const char* kBeamPrintTitle = "Beam Coverage";
std::string beamPrintLine(const BeamCoverageParams& p);

}  // namespace hx
