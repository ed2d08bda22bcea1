// The desktop program recording on its simulator, as a child process: a stop
// signal closes the files at the last whole record, and a full disk stops the
// recording with one message while the program stays live.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

#include "CliTestSupport.h"

namespace hx::clitest {
namespace {

constexpr int kStartMs = 60000;   // the sanitizer build starts slowly
constexpr int kStopMs = 30000;
constexpr std::uint64_t kRecordBytes = 10816;  // four heads with system information

std::uint64_t sizeOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : size;
}

class DesktopRecorder : public FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        qputenv("HX642_HEADSIM", HX642_BINARY_DIR "/tools/headsim/hx642-headsim");
        // The program's per-user store (recent files) goes to the test's folder.
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    }

    void startRecordingTo(CliProcess& program, const std::string& path) {
        program.startProgram(QStringLiteral(HX642_BINARY_DIR "/app/hx642"),
                             {"--simulate", "--settings", dir.filePath("HX642.ini"), "--record",
                              QString::fromStdString(path)});
    }

    // Every record whole and numbered from 1 without a gap.
    static void expectWholeRecordsFromOne(const std::string& path) {
        const RecordedFile file = readDataFile(path);
        ASSERT_TRUE(file.opened) << path;
        EXPECT_EQ(file.problem, "");
        EXPECT_EQ(file.trailingBytes, 0u);
        ASSERT_FALSE(file.records.empty());
        EXPECT_EQ(pingNumbers(file), oneTo(static_cast<std::uint32_t>(file.records.size())));
    }
};

TEST_F(DesktopRecorder, AStopSignalClosesTheRecordingAtItsLastWholeRecord) {
    const struct {
        int number;
        const char* name;
    } signalsToStop[] = {{SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};
    for (const auto& s : signalsToStop) {
        SCOPED_TRACE(s.name);
        const std::string path = dir.filePath(QStringLiteral("run-%1.642").arg(s.name)).toStdString();
        CliProcess run;
        startRecordingTo(run, path);
        ASSERT_TRUE(waitUntil([&] { return sizeOf(path) >= 3 * kRecordBytes; }, kStartMs)) << run.err().toStdString();
        run.sendSignal(s.number);
        ASSERT_TRUE(run.waitFinished(kStopMs));
        EXPECT_FALSE(run.crashed());
        EXPECT_EQ(run.exitCode(), 0) << run.err().toStdString();
        expectWholeRecordsFromOne(path);
        EXPECT_TRUE(std::filesystem::exists(eventFileOf(path)));
    }
}

// A small file system of its own, mounted for the test (root only).
class SmallDisk {
public:
    SmallDisk(const std::string& at, int kib) : at_(at) {
        std::filesystem::create_directories(at_);
        const std::string options = "size=" + std::to_string(kib) + "k";
        mounted_ = ::geteuid() == 0 && ::mount("tmpfs", at_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    std::string at_;
    bool mounted_ = false;
};

TEST_F(DesktopRecorder, AFullDiskStopsRecordingWithOneMessageAndKeepsTheProgramLive) {
    SmallDisk disk(dir.filePath("disk").toStdString(), 160);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root and a kernel that allows it";
    const std::string path = dir.filePath("disk/full.642").toStdString();
    CliProcess program;
    startRecordingTo(program, path);

    const QString fullText = QStringLiteral("WARNING! The disk is full!!");
    ASSERT_TRUE(waitUntil([&] { return program.err().contains(fullText); }, kStartMs)) << program.err().toStdString();
    // Live: it keeps polling the heads and answers a stop as usual.
    waitUntil([] { return false; }, 2000);
    ASSERT_TRUE(program.running());
    program.sendSignal(SIGTERM);
    ASSERT_TRUE(program.waitFinished(kStopMs));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.err().count(fullText), 1) << program.err().toStdString();
    EXPECT_FALSE(program.err().contains(QLatin1String("Error Writing"))) << program.err().toStdString();
    expectWholeRecordsFromOne(path);
}

}  // namespace
}  // namespace hx::clitest
