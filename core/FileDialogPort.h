// The open and save file dialogs as the logic sees them. An empty result
// means the operator cancelled.
#pragma once

#include <optional>
#include <string>

namespace hx {

class IFileDialogPort {
public:
    virtual ~IFileDialogPort() = default;
    // filter uses the "Description (*.ext)" form, entries separated by ";;".
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) = 0;
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                                const std::string& suggestedName) = 0;
};

}  // namespace hx
