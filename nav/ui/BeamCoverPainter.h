// Drawing the beam coverage picture: the shaded fan of the two sidescan
// beams seen from behind the towfish, the bottom line, the beam-width arcs,
// the range marks and the texts; blue on black on screen, blue on white on
// paper. Also the printed page (title, settings line, picture).
#pragma once

#include <QPainter>
#include <QRect>

#include "nav/BeamCoverage.h"

namespace hx {

// Draws the picture for a client area of clientWidth pixels (the picture
// spans 10 .. clientWidth - 170). The caller has filled the background.
void PaintBeamPicture(QPainter& p, const BeamCoverageParams& params, int clientWidthPx, bool printing);

// The printed page: title "Beam Coverage", the settings line and the
// picture in the printing colours, scaled to the page's width.
void PaintBeamPage(QPainter& p, const BeamCoverageParams& params, const QRect& pageRect);

}  // namespace hx
