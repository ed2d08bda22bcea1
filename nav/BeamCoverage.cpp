#include "nav/BeamCoverage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hx {

namespace {

std::string format(const char* pattern, long long v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, v);
    return buf;
}

bool feet(const BeamCoverageParams& p) { return p.feetMode != 0; }

}  // namespace

const char* beamFrequencyName(BeamFrequency f) {
    switch (f) {
        case BeamFrequency::Medium: return "Medium";
        case BeamFrequency::High: return "High";
        case BeamFrequency::Low: break;
    }
    return "Low";
}

int beamWidthDeg(BeamFrequency f) {
    switch (f) {
        case BeamFrequency::Medium: return 60;
        case BeamFrequency::High: return 30;
        case BeamFrequency::Low: break;
    }
    return 75;
}

std::int32_t beamRangeUp(std::int32_t rangeM) {
    for (std::size_t i = 0; i + 1 < kBeamRangeLadderM.size(); ++i)
        if (kBeamRangeLadderM[i] == rangeM) return kBeamRangeLadderM[i + 1];
    return kBeamRangeLadderM.back();
}

std::int32_t beamRangeDown(std::int32_t rangeM) {
    for (std::size_t i = 2; i < kBeamRangeLadderM.size(); ++i)
        if (kBeamRangeLadderM[i] == rangeM) return kBeamRangeLadderM[i - 1];
    return kBeamRangeLadderM.front();
}

bool applyBeamButton(BeamCoverageParams& p, int id) {
    switch (id) {
        case kBeamFrequencyUp:
            p.frequency = static_cast<BeamFrequency>((static_cast<int>(p.frequency) + 1) % 3);
            return true;
        case kBeamFrequencyDown:
            p.frequency = static_cast<BeamFrequency>((static_cast<int>(p.frequency) + 2) % 3);
            return true;
        case kBeamHeightUp: p.heightFt = std::min(p.heightFt + (feet(p) ? 1 : 3), 600); return true;
        case kBeamHeightDown:
            p.heightFt = feet(p) ? std::max(p.heightFt - 1, 1) : std::max(p.heightFt - 3, 3);
            return true;
        case kBeamRangeUp: p.rangeM = beamRangeUp(p.rangeM); return true;
        case kBeamRangeDown: p.rangeM = beamRangeDown(p.rangeM); return true;
        case kBeamGainUp: p.gain = std::min(p.gain + 1, 100); return true;
        case kBeamGainDown: p.gain = std::max(p.gain - 1, 0); return true;
        case kBeamMeters:
            p.feetMode = 0;
            p.heightFt = std::max(p.heightFt, 3);
            return true;
        case kBeamFeet: p.feetMode = 1; return true;
        default: return false;
    }
}

BeamGeometry beamGeometry(const BeamCoverageParams& p, int clientWidthPx) {
    BeamGeometry g;
    g.pictureRightPx = clientWidthPx - 170;
    g.centreX = 10 + (clientWidthPx - 180) / 2;
    g.halfWidthPx = std::max(g.centreX - 10, 0);
    const int range = std::max(p.rangeM, 1);
    g.pxPerM = static_cast<double>(g.halfWidthPx) / range;
    g.bottomY = g.towfishY + (p.heightFt * g.halfWidthPx / 3) / range;
    return g;
}

std::vector<BeamRay> beamFan(const BeamCoverageParams& p, int halfWidthPx) {
    constexpr double kStepRad = 0.005235987666666666;  // 0.3 degrees
    constexpr double kDepressionRad = 0.34906584444444444;
    const double k = beamWidthDeg(p.frequency) * 1.8288 * 0.01968;
    const double level = std::pow(10.0, p.gain * p.gainScale / 100.0 / 10.0) * 25.5;
    std::vector<BeamRay> rays;
    rays.reserve(kBeamRayCount);
    double theta = -1.5707963 + kStepRad;
    for (int i = 0; i < kBeamRayCount; ++i, theta += kStepRad) {
        const double x = 5.74534454688 * std::sin(theta) / k;
        // On the beam's axis sin(x)/x is 1.
        const double sinc = x == 0.0 ? 1.0 : std::sin(x) / x;
        const double directivity = sinc * sinc;
        const double phi = theta + kDepressionRad;
        BeamRay r;
        r.dx = static_cast<int>(std::trunc(std::cos(phi) * halfWidthPx));
        r.dy = static_cast<int>(std::trunc(std::sin(phi) * halfWidthPx));
        const double intensity = std::trunc(level * directivity);
        r.intensity = std::isfinite(intensity) ? static_cast<int>(std::clamp(intensity, 0.0, 255.0)) : 255;
        rays.push_back(r);
    }
    return rays;
}

std::string beamWidthText(const BeamCoverageParams& p) { return format("BeamWidth: %lld deg.", beamWidthDeg(p.frequency)); }

std::string beamRangeText(const BeamCoverageParams& p) {
    return feet(p) ? format("Range = %lld ft", p.rangeM * 3LL) : format("Range = %lld m", p.rangeM);
}

std::string beamHeightText(const BeamCoverageParams& p) {
    return feet(p) ? format("H: %lld ft", p.heightFt) : format("H: %lld m", p.heightFt / 3);
}

std::array<BeamPanelLine, 5> beamPanel(const BeamCoverageParams& p) {
    return {{{"Freq:", beamFrequencyName(p.frequency)},
             {"Range:", feet(p) ? format("%lld ft", p.rangeM * 3LL) : format("%lld m", p.rangeM)},
             {"Height:", feet(p) ? format("%lld ft", p.heightFt) : format("%lld m", p.heightFt / 3)},
             {"Gain:", format("%lld", p.gain)},
             {"Units:", feet(p) ? "feet" : "meters"}}};
}

std::string beamPrintLine(const BeamCoverageParams& p) {
    char buf[160];
    if (feet(p))
        std::snprintf(buf, sizeof buf, "Frequency: %s    Range: %lld ft     Height: %d ft     Units: feet     Gain: %d",
                      beamFrequencyName(p.frequency), p.rangeM * 3LL, p.heightFt, p.gain);
    else
        std::snprintf(buf, sizeof buf, "Frequency: %s    Range: %d m     Height: %d m     Units: meters     Gain: %d",
                      beamFrequencyName(p.frequency), p.rangeM, p.heightFt / 3, p.gain);
    return buf;
}

}  // namespace hx
