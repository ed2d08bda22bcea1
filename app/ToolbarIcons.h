// The toolbar's icons, drawn by the program itself so that they are sharp
// at any scale and need no image files.
#pragma once

#include <QIcon>

#include "app/CommandIds.h"

namespace hx {

QIcon toolbarIcon(CommandId id);

}  // namespace hx
