// A fresh folder under the build tree for one test's output files, removed
// afterwards; and a helper that runs a command and returns its output.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace hx::exporttest {

class TestFolder {
public:
    TestFolder() {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::path(HX642_BINARY_DIR) / "export-test-output" /
                (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(path_)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::filesystem::path path_;
};

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command; returns its exit status and puts stdout and stderr
// together into output.
inline int run(const std::string& command, std::string& output) {
    output.clear();
    std::FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) output.append(buf, n);
    return pclose(p);
}

}  // namespace hx::exporttest
