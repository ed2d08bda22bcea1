// Between the settings file's values and the document: loading puts every
// stored value where the program keeps it (and updates the command messages);
// saving gathers them back.
#pragma once

#include "app/SkerryDoc.h"
#include "settings/StoredSettings.h"

namespace hx {

void applyStoredSettings(const StoredSettings& s, CSkerryDoc& doc);
StoredSettings collectStoredSettings(const CSkerryDoc& doc);

// The table index of a range in metres, or nullopt when the table has none.
std::optional<int> rangeIndexOf(int rangeM);

}  // namespace hx
