// The echo sounder window (CEchoSounder): the scrolling echogram with its
// depth scale, range and gain, and the altitude read-out. The echogram
// belongs to the document (EchoSounderState); the view re-allocates it when
// its size changes and otherwise only reads it, with the live values it
// asks `readout` for each time it paints.
#pragma once

#include <QImage>
#include <QRgb>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

#include "imaging/ColourTables.h"
#include "imaging/EchoGram.h"
#include "link/HeadHealth.h"
#include "platform/OverlayInk.h"

namespace hx {

struct EchoSounderReadout {
    std::int32_t rangeM = 50;    // the echo sounder's range
    std::int32_t gainStep = 0;   // the echo sounder's gain step
    double altitudeM = 0.0;
    bool feet = false;
    bool gridShown = true;       // "Show ES Grid"
    bool hold = false;           // the display is on Hold: the frozen picture shows
    OverlayInk ink;              // yellow texts by day, dim red at night
    std::optional<HeadBadge> health;  // the echo sounder's link badge, live only
};

struct EchoSounderContext {
    EchoSounderState& echo;
    const PaletteState& palette;
    std::function<EchoSounderReadout()> readout;
};

inline constexpr const char* kEchoSounderTitle = "HX642 - Echo Sounder";

// The drawing palette as frame colours, index 255 white.
std::array<QRgb, kPaletteEntries> EchoSounderLut(const Palette& palette);

// Draws the whole view into frame (RGB32, the client size).
void PaintEchoSounder(QImage& frame, const EchoSounderState& echo, const std::array<QRgb, kPaletteEntries>& lut,
                      const EchoSounderReadout& readout);

class CEchoSounder : public QWidget {
    Q_OBJECT
public:
    explicit CEchoSounder(EchoSounderContext context, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    EchoSounderContext ctx_;
    QImage frame_;
};

}  // namespace hx
