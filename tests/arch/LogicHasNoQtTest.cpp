// The subsystem logic builds with the standard library alone; Qt belongs in
// platform/, app/ and the ui/ folders. This walks the logic folders and fails
// on any Qt include, naming the file and line.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// "#include <QTimer>", "#  include \"QtCore/qglobal.h\"" and the like.
bool isQtInclude(const std::string& line) {
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#') return false;
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0) return false;
    i = line.find_first_not_of(" \t", i + 7);
    if (i == std::string::npos || (line[i] != '<' && line[i] != '"') || i + 2 >= line.size()) return false;
    const char a = line[i + 1], b = line[i + 2];
    return (a == 'Q' && std::isalpha(static_cast<unsigned char>(b))) || line.compare(i + 1, 2, "qt") == 0;
}

std::vector<std::string> qtIncludesUnder(const fs::path& root) {
    std::vector<std::string> hits;
    if (!fs::exists(root)) return hits;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const fs::path& p = entry.path();
        const auto ext = p.extension().string();
        if (ext != ".h" && ext != ".hpp" && ext != ".cpp" && ext != ".cc") continue;
        bool inUi = false;
        for (const auto& part : fs::relative(p, root)) inUi = inUi || part == "ui";
        if (inUi) continue;
        std::ifstream in(p);
        std::string line;
        for (int n = 1; std::getline(in, line); ++n)
            if (isQtInclude(line)) hits.push_back(p.string() + ":" + std::to_string(n) + ": " + line);
    }
    return hits;
}

}  // namespace

TEST(Architecture, LogicFoldersIncludeNoQt) {
    const fs::path src = HX642_SOURCE_DIR;
    std::vector<std::string> hits;
    for (const char* dir : {"core", "link", "imaging", "record", "nav", "settings", "export", "session"}) {
        auto more = qtIncludesUnder(src / dir);
        hits.insert(hits.end(), more.begin(), more.end());
    }
    std::string report;
    for (const auto& h : hits) report += h + "\n";
    EXPECT_TRUE(hits.empty()) << "Qt included in logic:\n" << report;
}

TEST(Architecture, CheckerSeesAQtInclude) {
    // Guard against a checker that silently matches nothing.
    const fs::path dir = fs::temp_directory_path() / "hx642-arch-probe";
    fs::create_directories(dir / "ui");
    std::ofstream(dir / "bad.cpp") << "// #include <QWidget> in a comment is fine\n#include <QTimer>\n#include <queue>\n";
    std::ofstream(dir / "ui" / "fine.cpp") << "#include <QWidget>\n";
    auto hits = qtIncludesUnder(dir);
    fs::remove_all(dir);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_NE(hits[0].find("bad.cpp:2"), std::string::npos);
}
