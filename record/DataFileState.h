// The data file's part of the document: ping numbering, where the played
// file is being read, and the event marks on their way into and out of
// records. Changed by CReadWriteFiles (reading and writing), the recorder
// (numbering) and the event annotations (pending mark).
#pragma once

#include <cstdint>

namespace hx {

struct DataFileState {
    // Written into each record; in playback the ping of the record last read,
    // so that a copy keeps its source's numbers.
    std::uint32_t pingNumber = 0;
    std::uint32_t firstPingNumber = 0;      // of the played file
    bool firstRecordPending = false;        // set on open: the next record read gives firstPingNumber

    // Played file.
    std::uint32_t recordLength = 0;         // bytes, of the record last read
    std::uint64_t recordPosition = 0;       // offset of the next record to read
    std::uint64_t usableLength = 0;         // end of the last whole record
    std::uint64_t firstRecordOffset = 0;    // 0 unless the file starts with bytes that are no record
    std::uint16_t sentenceBlockOffset = 0;  // as stored in the record last read
    std::uint16_t systemInfoOffset = 0;

    // Output file.
    std::uint32_t outputRecordLength = 0;   // bytes, of the record last written
    std::uint32_t outputFirstPingNumber = 0;

    // Event mark to go into the next record written (one record only).
    int pendingEventNumber = 0;
    bool pendingEventFlag = false;
    // Event mark of the record last read.
    int eventMarkNumber = 0;
    bool eventMarkFlag = false;
};

}  // namespace hx
