// Output files appear only when whole: a failed export leaves neither a
// half-written file nor its temporary file, and keeps an older file.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "ExportTestFolder.h"
#include "export/AtomicOutputFile.h"

namespace hx {
namespace {

using namespace exporttest;

std::vector<std::uint8_t> bytesOf(std::size_t n) {
    std::vector<std::uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7);
    return b;
}

TEST(AtomicOutputFile, CommitMakesTheWholeFileAppear) {
    TestFolder dir;
    AtomicOutputFile out;
    ASSERT_TRUE(out.open(dir.file("a.xtf"))) << out.error();
    ASSERT_TRUE(out.write(bytesOf(3000)));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{out.temporaryPath().substr(dir.path().string().size() + 1)}));
    EXPECT_NE(out.temporaryPath().find("a.xtf.part-"), std::string::npos);
    ASSERT_TRUE(out.commit()) << out.error();
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.xtf"}));
    const std::string text = readText(dir.file("a.xtf"));
    const auto expected = bytesOf(3000);
    EXPECT_EQ(text, std::string(expected.begin(), expected.end()));
}

TEST(AtomicOutputFile, NoCommitLeavesNothingAndKeepsTheOldFile) {
    TestFolder dir;
    writeText(dir.file("a.gpx"), "old contents");
    {
        AtomicOutputFile out;
        ASSERT_TRUE(out.open(dir.file("a.gpx")));
        ASSERT_TRUE(out.writeText("new, never finished"));
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.gpx"}));
    EXPECT_EQ(readText(dir.file("a.gpx")), "old contents");

    AtomicOutputFile out;
    ASSERT_TRUE(out.open(dir.file("a.gpx")));
    ASSERT_TRUE(out.writeText("new"));
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(readText(dir.file("a.gpx")), "new");
}

TEST(AtomicOutputFile, PlacesThatCannotTakeAFileGiveAClearMessage) {
    TestFolder dir;
    writeText(dir.file("plain"), "x");
    struct Case {
        std::string path;
        std::string message;
    };
    const std::vector<Case> cases = {
        {dir.file("missing/a.xtf"), "Cannot create a file in " + dir.file("missing") + ": No such file or directory"},
        {dir.file("plain/a.xtf"), "Cannot create a file in " + dir.file("plain") + ": Not a directory"},
        {dir.path().string(), "Cannot write " + dir.path().string() + ": it is a folder"},
    };
    for (const Case& k : cases) {
        AtomicOutputFile out;
        EXPECT_FALSE(out.open(k.path));
        EXPECT_EQ(out.error(), k.message);
        EXPECT_FALSE(out.write(bytesOf(10)));
        EXPECT_FALSE(out.commit());
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"plain"}));
}

TEST(AtomicOutputFile, ReadOnlyFolderIsRefused) {
    TestFolder dir;
    std::filesystem::create_directory(dir.file("ro"));
    std::filesystem::permissions(dir.file("ro"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::string folder = dir.file("ro");
    AtomicOutputFile out;
    bool opened = out.open(folder + "/a.csv");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    if (opened) {
        // Root writes into read-only folders; /sys refuses even root.
        out.abandon();
        folder = "/sys";
        opened = out.open(folder + "/hx642-export-test.csv");
        if (opened) GTEST_SKIP() << "no place here refuses this user";
    }
    EXPECT_EQ(out.error(), "Cannot create a file in " + folder + ": Permission denied");
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("ro")));
}

// A file size limit makes the disk "full" for this process: writes beyond
// it fail with EFBIG instead of raising SIGXFSZ, which is ignored here.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(AtomicOutputFile, FullDiskLeavesNoFileAndKeepsTheOldOne) {
    TestFolder dir;
    writeText(dir.file("survey.xtf"), "the previous export");
    AtomicOutputFile out;
    bool ok = true;
    {
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(out.open(dir.file("survey.xtf")));
        for (int i = 0; i < 100 && ok; ++i) ok = out.write(bytesOf(10000));
        ok = ok && out.commit();
    }
    EXPECT_FALSE(ok);
    EXPECT_NE(out.error().find("Writing " + dir.file("survey.xtf") + " failed: File too large"), std::string::npos)
        << out.error();
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"survey.xtf"}));
    EXPECT_EQ(readText(dir.file("survey.xtf")), "the previous export");
}

}  // namespace
}  // namespace hx
