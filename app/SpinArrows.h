// The up and down arrows of a control bar's spin: a press (held down it
// repeats) reports +1 or -1. They never take the keyboard focus, so the
// frame's keys keep working.
#pragma once

#include <functional>

class QWidget;

namespace hx {

QWidget* makeSpinArrows(QWidget* parent, std::function<void(int)> onStep);

}  // namespace hx
