#include "link/LinkDefaults.h"

#include "link/CommandMessages.h"

namespace hx {

void initialiseLinkDefaults(LinkDocument doc) {
    doc.heads = HeadTable{};
    doc.link = LinkFields{};
    doc.cycle = CycleValues{};
    doc.orientation = OrientationState{};
    buildCommandTemplates(doc.heads, doc.link);
}

}  // namespace hx
