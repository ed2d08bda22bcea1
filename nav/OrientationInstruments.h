// The orientation sensor's five values as the instrument windows show them:
// the read-out texts in metres or feet, the gauge spans and the arithmetic of
// the gauges, dials and compass. Pure functions; the windows draw the result.
#pragma once

#include <string>

namespace hx {

// What the orientation and history windows read each time they draw or
// append (the filtered values of the latest ping).
struct OrientationValues {
    double pitchDeg = 0.0;      // -90..+90, bow up positive
    double rollDeg = 0.0;       // -90..+90
    double headingDeg = 0.0;    // 0..360
    double depthM = 0.0;        // 0..1000
    double temperatureC = 0.0;  // -5..+35
};

struct OrientationTexts {
    std::string pitch;        // "P: %5.1f"
    std::string roll;         // "R: %5.1f"
    std::string heading;      // "H: %5.1f"
    std::string depth;        // "D: %5.1f m" or "D: %5.1f ft"
    std::string temperature;  // "T: %5.1f  C" or "T: %5.1f  F"
};

// The read-outs; in feet the depth is metres / 0.3048 and the temperature
// Fahrenheit. A value that is not a number reads as 0.
OrientationTexts orientationTexts(const OrientationValues& v, bool feet);

struct GaugeSpan {
    int minimum = 0;
    int maximum = 0;
};
inline constexpr GaugeSpan kDepthGaugeSpan{0, 1000};
inline constexpr GaugeSpan kTemperatureGaugeSpan{-5, 35};

// (value - minimum) / (maximum - minimum), kept within 0..1.
double gaugeFraction(double value, GaugeSpan span);
// The labels at the gauge ends: "%d" of the span end, x 3 for the depth
// gauge in feet.
std::string gaugeEndLabel(int spanEnd, bool scaleByThree);

// The pitch dial's level: displaced by pitch / 90 of the given radius,
// upwards (negative y) for a positive pitch; kept inside the dial.
double pitchLevelOffsetPx(double pitchDeg, double radiusPx);
// The compass needle's angle, radians clockwise from north.
double headingNeedleRad(double headingDeg);

}  // namespace hx
