// The layers point down only: core <- link, nav, imaging, record, settings,
// export <- session <- platform, the ui/ folders <- app, tools. Every include of another folder's
// header must be allowed by the table below, and the folder's CMake target
// must declare the library it includes from, so that the build knows the
// same arrows the code has.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using FolderSet = std::set<std::string>;

// What each folder may include, besides its own headers. ui/ folders sit
// beside platform/: Qt windows over their subsystem's logic.
const std::map<std::string, FolderSet>& allowedIncludes() {
    static const FolderSet logic = {"core", "link", "nav", "imaging", "record", "settings", "export"};
    static const FolderSet belowPlatform = [] {
        FolderSet s = logic;
        s.insert("session");
        return s;
    }();
    static const FolderSet windows = [] {
        FolderSet s = belowPlatform;
        s.insert("platform");
        return s;
    }();
    static const FolderSet programs = [] {
        FolderSet s = windows;
        for (const char* ui : {"link/ui", "imaging/ui", "nav/ui", "record/ui"}) s.insert(ui);
        return s;
    }();
    static const std::map<std::string, FolderSet> table = {
        {"core", {}},
        {"link", {"core"}},
        {"nav", {"core"}},
        {"imaging", {"core", "link"}},
        {"record", {"core", "link"}},
        {"settings", {"core", "nav"}},
        {"export", {"core"}},
        {"session", logic},
        {"platform", belowPlatform},
        {"link/ui", windows},
        {"imaging/ui", windows},
        {"nav/ui", windows},
        {"record/ui", windows},
        {"app", programs},
        {"tools", programs},
    };
    return table;
}

// The folder an include names: "imaging/ui/SkerryView.h" -> "imaging/ui".
std::string folderOf(const std::string& includePath) {
    const fs::path p(includePath);
    const std::string first = p.begin()->string();
    auto second = std::next(p.begin());
    if (second != p.end() && second->string() == "ui" && std::next(second) != p.end()) return first + "/ui";
    return first;
}

// The folder a source file belongs to, by the table's names.
std::string owningFolder(const fs::path& relative) {
    const std::string first = relative.begin()->string();
    auto second = std::next(relative.begin());
    if (second != relative.end() && second->string() == "ui") return first + "/ui";
    return first;
}

struct Include {
    std::string file;
    int line;
    std::string path;
};

// The path of a line like `#include "imaging/StorePing.h"` that names a
// project folder; empty for anything else.
std::string quotedProjectInclude(const std::string& line) {
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#') return {};
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0) return {};
    i = line.find_first_not_of(" \t", i + 7);
    if (i == std::string::npos || line[i] != '"') return {};
    const std::size_t end = line.find('"', i + 1);
    if (end == std::string::npos) return {};
    const std::string path = line.substr(i + 1, end - i - 1);
    const std::size_t slash = path.find('/');
    if (slash == std::string::npos || slash == 0) return {};
    for (std::size_t k = 0; k < slash; ++k)
        if (path[k] < 'a' || path[k] > 'z') return {};
    return path;
}

std::vector<Include> projectIncludes(const fs::path& root, const std::string& folder) {
    std::vector<Include> out;
    const fs::path dir = root / folder;
    if (!fs::exists(dir)) return out;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const fs::path& p = entry.path();
        const auto ext = p.extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        std::ifstream in(p);
        std::string line;
        for (int n = 1; std::getline(in, line); ++n)
            if (std::string path = quotedProjectInclude(line); !path.empty())
                out.push_back({fs::relative(p, root).string(), n, path});
    }
    return out;
}

// The libraries a folder's CMakeLists.txt names (hx642_core, hx642_link ...).
std::set<std::string> declaredLibraries(const fs::path& cmakeLists) {
    std::set<std::string> out;
    std::ifstream in(cmakeLists);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t at = text.find("hx642_"); at != std::string::npos; at = text.find("hx642_", at + 1)) {
        std::size_t end = at + 6;
        while (end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') || text[end] == '_')) ++end;
        out.insert(text.substr(at, end - at));
    }
    return out;
}

std::string libraryOf(const std::string& folder) {
    if (folder == "link/ui") return "hx642_link_ui";
    if (folder == "imaging/ui") return "hx642_imaging_ui";
    if (folder == "nav/ui") return "hx642_nav_ui";
    if (folder == "record/ui") return "hx642_record_ui";
    return "hx642_" + folder;
}

}  // namespace

TEST(Architecture, IncludesFollowTheLayerOrder) {
    const fs::path root = HX642_SOURCE_DIR;
    std::string report;
    for (const auto& [folder, allowed] : allowedIncludes()) {
        for (const Include& inc : projectIncludes(root, folder)) {
            const std::string owner = owningFolder(fs::path(inc.file));
            if (owner != folder) continue;  // a ui/ subfolder is checked on its own
            const std::string target = folderOf(inc.path);
            if (target == folder || !allowedIncludes().count(target)) continue;
            if (allowed.count(target)) continue;
            report += inc.file + ":" + std::to_string(inc.line) + ": " + folder + " may not include " + inc.path + "\n";
        }
    }
    EXPECT_TRUE(report.empty()) << report;
}

TEST(Architecture, LogicTargetsDeclareTheLibrariesTheyInclude) {
    const fs::path root = HX642_SOURCE_DIR;
    std::string report;
    for (const char* folder : {"core", "link", "nav", "imaging", "record", "settings", "export", "session",
                               "platform", "link/ui", "imaging/ui", "nav/ui"}) {
        // The folder's CMakeLists.txt and those of its subfolders (a ui/
        // folder has its own and is checked on its own).
        std::set<std::string> declared;
        const fs::path dir = root / folder;
        if (!fs::exists(dir / "CMakeLists.txt")) continue;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            if (entry.path().filename() != "CMakeLists.txt") continue;
            if (owningFolder(fs::relative(entry.path(), root)) != folder) continue;
            const auto more = declaredLibraries(entry.path());
            declared.insert(more.begin(), more.end());
        }
        std::set<std::string> needed;
        for (const Include& inc : projectIncludes(root, folder)) {
            if (owningFolder(fs::path(inc.file)) != folder) continue;
            const std::string target = folderOf(inc.path);
            if (target != folder && allowedIncludes().count(target)) needed.insert(libraryOf(target));
        }
        for (const std::string& lib : needed)
            if (!declared.count(lib)) report += std::string(folder) + "/CMakeLists.txt does not name " + lib + "\n";
    }
    EXPECT_TRUE(report.empty()) << report;
}

TEST(Architecture, TheTableHasNoCycle) {
    // Depth-first over the allowed arrows between different folders.
    const auto& table = allowedIncludes();
    std::map<std::string, int> state;  // 0 new, 1 on the path, 2 done
    std::function<bool(const std::string&)> cyclic = [&](const std::string& f) {
        if (state[f] == 1) return true;
        if (state[f] == 2) return false;
        state[f] = 1;
        if (auto it = table.find(f); it != table.end())
            for (const std::string& next : it->second)
                if (next != f && cyclic(next)) return true;
        state[f] = 2;
        return false;
    };
    for (const auto& [folder, allowed] : table) EXPECT_FALSE(cyclic(folder)) << folder;
}
