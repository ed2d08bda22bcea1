#include "record/RecordingSplit.h"

#include <cstdio>

#include "record/RecorderTexts.h"

namespace hx {

std::string splitFileName(const std::string& firstPath, int counter) {
    const std::string path = withDataFileExtension(firstPath);
    if (counter <= 1) return path;
    char number[16];
    std::snprintf(number, sizeof number, "-%03d", counter);
    const bool dotted = path.size() > 4 && path.compare(path.size() - 4, 4, ".642") == 0;
    return dotted ? path.substr(0, path.size() - 4) + number + ".642" : path + number;
}

bool splitDue(const SplitRule& rule, std::uint64_t fileBytes, std::uint32_t nextRecordBytes, std::uint32_t fileAgeMs) {
    if (fileBytes == 0) return false;
    if (rule.maxBytes != 0 && fileBytes + nextRecordBytes > rule.maxBytes) return true;
    return rule.maxMinutes != 0 && fileAgeMs >= rule.maxMinutes * 60000ULL;
}

}  // namespace hx
