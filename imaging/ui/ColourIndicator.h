// The colour indicator ("Color &Indicator"): a scale of the colours the main
// view draws intensities with, from 0 at the bottom to 254 at the top, at
// the view's right edge below the status marks. With all three sidescan
// heads shown it is the composite's three channels (L red, M green, H blue).
#pragma once

#include <QSize>

#include "imaging/ui/WaterfallBlit.h"

class QPainter;

namespace hx {

// The indicator's bar (or, for the composite, its three bars) in window
// coordinates.
QRect ColourIndicatorRect(QSize client);

// lut: the palette drawn; null for the composite.
void DrawColourIndicator(QPainter& painter, QSize client, const ColourLut* lut);

}  // namespace hx
