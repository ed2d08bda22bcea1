// Streams an XTF file to a byte sink: the file header first, then each
// packet as the driver hands it over, so a long recording never sits in
// memory. A packet whose input is unusable is rejected whole and counted;
// a sink that fails stops the writer for good.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/ByteSink.h"
#include "export/XtfInput.h"

namespace hx {

enum class XtfWriteStatus : std::uint8_t {
    Written,
    Rejected,  // the input was unusable; nothing was written and the file goes on
    Failed,    // the sink failed or the writer was not started; the file is unusable
};

struct XtfWriteCounts {
    std::uint64_t pings = 0;
    std::uint64_t notes = 0;
    std::uint64_t serial = 0;
    std::uint64_t attitude = 0;
    std::uint64_t rejected = 0;
    std::uint64_t bytes = 0;
};

class XtfWriter {
public:
    explicit XtfWriter(IByteSink& sink) : sink_(sink) {}

    // Writes the file header. Every other call fails until this succeeded.
    XtfWriteStatus begin(const XtfFileInfo& info);
    XtfWriteStatus writePing(const XtfPing& ping);
    XtfWriteStatus writeNote(const XtfNote& note);
    XtfWriteStatus writeSerial(const XtfSerial& serial);
    XtfWriteStatus writeAttitude(const XtfAttitude& attitude);

    const XtfWriteCounts& counts() const { return counts_; }
    // Why the last call was rejected or failed.
    const std::string& lastError() const { return lastError_; }

private:
    template <typename Encode>
    XtfWriteStatus emit(Encode encode, std::uint64_t& counter);

    IByteSink& sink_;
    XtfFileInfo info_;
    bool started_ = false;
    bool failed_ = false;
    XtfWriteCounts counts_;
    std::string lastError_;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace hx
