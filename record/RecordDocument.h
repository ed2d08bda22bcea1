// Between the document and a data-file record: which document values a
// record is made from, and where a played record's values go back to.
#pragma once

#include "link/LinkState.h"
#include "record/DataRecord.h"

namespace hx {

// What a record is written from. The GPS sentence slots and the "GPS type"
// setting belong to navigation and are passed in as they are.
struct RecordSources {
    const HeadTable& heads;
    const LinkFields& link;
    const CycleValues& cycle;
    const SentenceSlots& sentences;
    int gpsType = 0;
};

// Where a played record goes. settingsChangeAlarm: 0 off, 1 armed, 2 due;
// an armed alarm becomes due when a head's range or transmit-control byte
// differs from the document's.
struct RecordTargets {
    HeadTable& heads;
    LinkFields& link;
    CycleValues& cycle;
    SentenceSlots& sentences;
    int& gpsType;
    int& settingsChangeAlarm;
};

// The record of the current cycle: every available head's settings, last
// command, reply header and echo line; the cycle stamp; the sentence slots;
// the system information once it has been received.
DataRecord recordFromDocument(const RecordSources& src, std::uint32_t pingNumber, std::uint16_t eventMark);

// Puts a played record back into the document. Head blocks that are damaged
// (another head's number, data length above 2000) leave that head's values
// as they were. The display pair is not derived here: the caller runs the
// link's derivation afterwards (CReadWriteFiles does it through its hook).
void applyRecordToDocument(const DecodedRecord& decoded, RecordTargets& dst);

}  // namespace hx
