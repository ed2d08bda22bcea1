#include "export/XtfWriter.h"

#include "export/XtfEncode.h"

namespace hx {

template <typename Encode>
XtfWriteStatus XtfWriter::emit(Encode encode, std::uint64_t& counter) {
    if (failed_ || !started_) {
        if (lastError_.empty()) lastError_ = "the XTF file was not started";
        return XtfWriteStatus::Failed;
    }
    buffer_.clear();
    std::string reason;
    if (!encode(buffer_, reason)) {
        lastError_ = reason;
        ++counts_.rejected;
        return XtfWriteStatus::Rejected;
    }
    if (!sink_.write(buffer_)) {
        failed_ = true;
        lastError_ = sink_.error();
        return XtfWriteStatus::Failed;
    }
    counts_.bytes += buffer_.size();
    ++counter;
    return XtfWriteStatus::Written;
}

XtfWriteStatus XtfWriter::begin(const XtfFileInfo& info) {
    if (started_ || failed_) {
        lastError_ = "the XTF file was already started";
        return XtfWriteStatus::Failed;
    }
    buffer_.clear();
    std::string reason;
    if (!encodeXtfFileHeader(info, buffer_, reason)) {
        failed_ = true;
        lastError_ = reason;
        return XtfWriteStatus::Failed;
    }
    if (!sink_.write(buffer_)) {
        failed_ = true;
        lastError_ = sink_.error();
        return XtfWriteStatus::Failed;
    }
    info_ = info;
    started_ = true;
    counts_.bytes += buffer_.size();
    return XtfWriteStatus::Written;
}

XtfWriteStatus XtfWriter::writePing(const XtfPing& ping) {
    return emit([&](auto& out, auto& reason) { return encodeXtfPing(info_, ping, out, reason); }, counts_.pings);
}

XtfWriteStatus XtfWriter::writeNote(const XtfNote& note) {
    return emit([&](auto& out, auto& reason) { return encodeXtfNote(note, out, reason); }, counts_.notes);
}

XtfWriteStatus XtfWriter::writeSerial(const XtfSerial& serial) {
    return emit([&](auto& out, auto& reason) { return encodeXtfSerial(serial, out, reason); }, counts_.serial);
}

XtfWriteStatus XtfWriter::writeAttitude(const XtfAttitude& attitude) {
    return emit([&](auto& out, auto& reason) { return encodeXtfAttitude(attitude, out, reason); },
                counts_.attitude);
}

}  // namespace hx
