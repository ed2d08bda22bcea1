// The open and save file dialogs as the logic sees them. An empty result
// means the operator cancelled.
#pragma once

#include <optional>
#include <string>

namespace hx {

// Where a dialog opens and which of its filters it shows first. The filter
// index counts from 1 as the settings file keeps it; 0 (or one past the
// filters) shows the first.
struct FileDialogStart {
    std::string folder;  // empty: wherever the platform opens
    int filterIndex = 0;
};

// What the operator chose: the file and the index of the filter that was
// showing, for the next time.
struct FileDialogChoice {
    std::string path;
    int filterIndex = 0;
};

class IFileDialogPort {
public:
    virtual ~IFileDialogPort() = default;
    // filter uses the "Description (*.ext)" form, entries separated by ";;".
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) = 0;
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                                const std::string& suggestedName) = 0;

    // The same dialogs opening in a folder with a filter chosen. A port that
    // has no folders or filters answers as the plain dialogs do and hands
    // the filter index back unchanged.
    virtual std::optional<FileDialogChoice> openFileFrom(const std::string& title, const std::string& filter,
                                                         const FileDialogStart& start) {
        auto path = openFile(title, filter);
        if (!path) return std::nullopt;
        return FileDialogChoice{*path, start.filterIndex};
    }
    virtual std::optional<FileDialogChoice> saveFileFrom(const std::string& title, const std::string& filter,
                                                         const std::string& suggestedName,
                                                         const FileDialogStart& start) {
        auto path = saveFile(title, filter, suggestedName);
        if (!path) return std::nullopt;
        return FileDialogChoice{*path, start.filterIndex};
    }
};

}  // namespace hx
