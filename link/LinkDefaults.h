// The link's part of a new document: every default of the head table, the
// link fields, the cycle values and the orientation state, and the command
// templates built from them.
#pragma once

#include "link/LinkState.h"
#include "link/OrientationState.h"

namespace hx {

struct LinkDocument {
    HeadTable& heads;
    LinkFields& link;
    CycleValues& cycle;
    OrientationState& orientation;
};

// Every default of the link's state, the command templates and cleared
// orientation filters. The compass declination is a setting and is reset too.
void initialiseLinkDefaults(LinkDocument doc);

}  // namespace hx
