#include "record/EventList.h"

namespace hx {

void emptyEventList(EventList& list) {
    list.entries.fill(EventEntry{});
    list.count = 0;
}

}  // namespace hx
