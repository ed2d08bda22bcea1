// Copying during playback: a stretch of a played file copied into a new
// file holds the same bytes as the source (ping numbers, event marks and
// all), carries the events it passed in its event file, ends where the
// played file goes round, and is allowed only forwards while scrolling.
#include <gtest/gtest.h>

#include "PlaybackTestRig.h"
#include "record/EventFile.h"

namespace hx {
namespace {

using namespace pbtest;
using Pings = std::vector<std::uint32_t>;

SentenceSlots sampleSentences() { return rectest::SampleDocument().sentences; }

class PlaybackCopyTest : public testing::Test {
protected:
    std::vector<std::uint8_t> sourceRange(const WrittenFile& file, std::size_t firstRecord, std::size_t endRecord) {
        const auto bytes = readBytes(file.path);
        const std::uint64_t from = file.offsets[firstRecord];
        const std::uint64_t to = endRecord < file.offsets.size() ? file.offsets[endRecord] : file.size;
        return std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                         bytes.begin() + static_cast<std::ptrdiff_t>(to));
    }
    static EventEntry event(int number, int ping, const char* text) {
        return EventEntry{number, ping, 0.5, "52.13.143 N\n", "021.00.651 E\n", "01-DEC-2026\n", "14:00:00\n", text};
    }

    TempDir dir;
    PlaybackRig rig;
};

TEST_F(PlaybackCopyTest, ACopiedStretchEqualsItsSourceByteForByte) {
    const FileRecipe recipe{.records = 30, .firstPing = 101, .systemInfo = true,
                        .perPing = [](rectest::SampleDocument& doc, DataFileState& state, std::uint32_t ping) {
                            // Every fourth ping without GPS data: "$GPS" in the file.
                            doc.sentences = ping % 4 == 0 ? SentenceSlots{} : sampleSentences();
                            doc.cycle.pingInterval = static_cast<std::int32_t>(150 + ping % 9);
                            doc.heads.sideScanRange = ping < 115 ? 50 : 100;
                            if (ping == 112 || ping == 120) {
                                state.pendingEventFlag = true;
                                state.pendingEventNumber = ping == 112 ? 3 : 5;
                            }
                        }};
    const auto file = writeDataFile(dir.file("src.642"), recipe);
    EventList events;
    events.count = 3;
    events.entries[0] = event(3, 112, "wreck\n");
    events.entries[1] = event(5, 120, "pipe\n");
    events.entries[2] = event(7, 128, "later\n");
    const std::string text = formatEventFile(events);
    writeBytes(dir.file("src.an"), std::vector<std::uint8_t>(text.begin(), text.end()));

    rig.openAndStart(file.path);
    EXPECT_EQ(rig.play(5), (Pings{101, 102, 103, 104, 105}));
    ASSERT_TRUE(rig.engine.canCopyStart());
    ASSERT_TRUE(rig.recorder.startRecordingTo(dir.file("copy.642"), rig.engine.playbackContext()));
    EXPECT_TRUE(rig.recorderState.copying);
    EXPECT_EQ(rig.window.captions.back(),
              "HX642 -- Playback (" + file.path + ") - Copy Data to (" + dir.file("copy.642") + ")");
    rig.play(16);  // pings 106 to 121
    EXPECT_EQ(rig.dataFile.pingNumber, 121u);
    rig.recorder.recordStop(rig.engine.playbackContext());

    const auto copy = readBytes(dir.file("copy.642"));
    const auto expected = sourceRange(file, 5, 21);
    ASSERT_EQ(copy.size(), expected.size());
    EXPECT_TRUE(copy == expected);
    // The copy's event file has the events it passed, not the others.
    const auto copyEvents = readBytes(dir.file("copy.an"));
    EventList passed;
    passed.count = 2;
    passed.entries[0] = event(3, 112, "wreck\n");
    passed.entries[1] = event(5, 120, "pipe\n");
    EXPECT_EQ(std::string(copyEvents.begin(), copyEvents.end()), formatEventFile(passed));
    // The played file's event file is untouched.
    const auto source = readBytes(dir.file("src.an"));
    EXPECT_EQ(std::string(source.begin(), source.end()), text);

    // The copy plays back as its source did.
    PlaybackRig again;
    again.openAndStart(dir.file("copy.642"));
    EXPECT_EQ(again.play(3), (Pings{106, 107, 108}));
}

TEST_F(PlaybackCopyTest, TheCopyEndsWhereThePlayedFileGoesRound) {
    const auto file = writeDataFile(dir.file("w.642"), {.records = 10});
    rig.openAndStart(file.path);
    rig.play(7);
    ASSERT_TRUE(rig.recorder.startRecordingTo(dir.file("tail.642"), rig.engine.playbackContext()));
    EXPECT_EQ(rig.play(5), (Pings{8, 9, 10, 1, 2}));
    EXPECT_FALSE(rig.recorder.recording());
    EXPECT_EQ(rig.window.captions.back(), "HX642 -- Playback (" + file.path + ") ");
    EXPECT_TRUE(readBytes(dir.file("tail.642")) == sourceRange(file, 7, 10));
}

TEST_F(PlaybackCopyTest, OpeningAnotherFileEndsTheCopy) {
    const auto a = writeDataFile(dir.file("a.642"), {.records = 6});
    const auto b = writeDataFile(dir.file("b.642"), {.records = 6});
    rig.openAndStart(a.path);
    rig.play(2);
    ASSERT_TRUE(rig.recorder.startRecordingTo(dir.file("part.642"), rig.engine.playbackContext()));
    rig.play(2);
    ASSERT_TRUE(rig.engine.openPath(b.path));
    EXPECT_FALSE(rig.recorder.recording());
    EXPECT_TRUE(readBytes(dir.file("part.642")) == sourceRange(a, 2, 4));
    EXPECT_TRUE(std::filesystem::exists(dir.file("part.an")));
}

TEST_F(PlaybackCopyTest, CopyingGoesForwardsWhileScrollingOnly) {
    const auto file = writeDataFile(dir.file("e.642"), {.records = 4});
    EXPECT_TRUE(rig.engine.canCopyStart());  // real time: recording
    rig.openAndStart(file.path);
    EXPECT_TRUE(rig.engine.canCopyStart());
    rig.engine.toggleReverse();
    EXPECT_FALSE(rig.engine.canCopyStart());
    rig.engine.toggleReverse();
    rig.engine.toggleBitmapView();
    EXPECT_FALSE(rig.engine.canCopyStart());
    rig.engine.toggleBitmapView();

    ASSERT_TRUE(rig.recorder.startRecordingTo(dir.file("x.642"), rig.engine.playbackContext()));
    EXPECT_FALSE(rig.engine.canCopyStart());
    EXPECT_FALSE(rig.engine.canReverse());
    EXPECT_FALSE(rig.engine.canBitmapView());
    rig.engine.toggleReverse();
    rig.engine.toggleBitmapView();
    EXPECT_FALSE(rig.state.reverse);
    EXPECT_TRUE(rig.state.scrolling);
    // The played file itself cannot be the copy.
    rig.recorder.recordStop(rig.engine.playbackContext());
    rig.notifier.messages.clear();
    EXPECT_FALSE(rig.recorder.startRecordingTo(file.path, rig.engine.playbackContext()));
    ASSERT_EQ(rig.notifier.messages.size(), 1u);
    EXPECT_EQ(rig.notifier.messages[0].text, "Can't write in this file ...\nThis file is used as playback.");
}

}  // namespace
}  // namespace hx
