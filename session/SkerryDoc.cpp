#include "session/SkerryDoc.h"

namespace hx {

SpeedSource speedSourceOf(const SpeedSettings& speed) {
    SpeedSource s;
    s.speedCorrectionEnabled = speed.speedCorrectionEnabled;
    s.useManualSpeed = speed.useManualSpeed;
    s.manualShipSpeedKn = speed.manualShipSpeed;
    s.useGpsSpeed = speed.useGpsSpeed;
    return s;
}

}  // namespace hx
