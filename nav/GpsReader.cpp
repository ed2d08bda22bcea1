#include "nav/GpsReader.h"

namespace hx {

GpsSnapshot GpsReader::read(std::string_view bytes) {
    parser_.fix.gpsUpdated = 0;
    parser_.fix.positionReceived = 0;
    parser_.headingSeen = 0;
    frameGpsRead(framing_, bytes, [this](std::string_view sentence) { ParseNmeaSentence(parser_, sentence); });
    EndOfRead(parser_);
    const bool published = PublishFix(parser_);
    GpsSnapshot out = snapshot(published, static_cast<std::uint32_t>(bytes.size()));
    out.sourceOpen = true;
    return out;
}

GpsSnapshot GpsReader::readWithoutSource() const { return snapshot(); }

GpsSnapshot GpsReader::reset() {
    ResetGpsData(parser_);
    resetGpsFraming(framing_);
    return snapshot();
}

GpsSnapshot GpsReader::snapshot(bool positionPublished, std::uint32_t bytesRead) const {
    GpsSnapshot out;
    out.fix = parser_.fix;
    out.gpsSentences = framing_.gpsSentences;
    out.sentenceHistory = framing_.sentenceHistory;
    out.historyCount = framing_.historyCount;
    out.qualityText = parser_.qualityText;
    out.satellitesInUse = parser_.satellitesInUse;
    out.positionPublished = positionPublished;
    out.bytesRead = bytesRead;
    return out;
}

}  // namespace hx
