// The event file: its eight-line layout, reading it back, and damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "RecordFakes.h"
#include "record/EventFile.h"
#include "record/PlaybackEvents.h"

namespace hx {
namespace {

using namespace rectest;

EventEntry entry(int number, int ping, double position, const std::string& note) {
    EventEntry e;
    e.number = number;
    e.ping = ping;
    e.position = position;
    e.latitude = "54.12.345 N\n";
    e.longitude = "007.45.678 E\n";
    e.date = "07-DEC-2026\n";
    e.time = "14:05:09\n";
    e.annotation = note + "\n";
    return e;
}

EventList twoEvents() {
    EventList list;
    list.entries[0] = entry(0, 12, 0.4125, "wreck, port side");
    list.entries[1] = entry(3, 1207, 1.0, "n/a");
    list.count = 2;
    return list;
}

const char* const kTwoEventsText =
    "0\n12\n0.412500\n54.12.345 N\n007.45.678 E\n07-DEC-2026\n14:05:09\nwreck, port side\n"
    "3\n1207\n1.000000\n54.12.345 N\n007.45.678 E\n07-DEC-2026\n14:05:09\nn/a\n";

TEST(EventFile, EightLinesPerEventInListOrder) {
    EXPECT_EQ(formatEventFile(twoEvents()), kTwoEventsText);
    EXPECT_EQ(formatEventFile(EventList{}), "");
}

TEST(EventFile, ReadsBackWhatWasWritten) {
    EventList list;
    const auto r = parseEventFile(kTwoEventsText, list);
    EXPECT_FALSE(r.damaged);
    EXPECT_FALSE(r.overflow);
    ASSERT_EQ(list.count, 2);
    EXPECT_EQ(list.entries[1].number, 3);
    EXPECT_EQ(list.entries[1].ping, 1207);
    EXPECT_DOUBLE_EQ(list.entries[0].position, 0.4125);
    EXPECT_EQ(list.entries[0].annotation, "wreck, port side\n");
    EXPECT_EQ(list.entries[0].latitude, "54.12.345 N\n");
    EXPECT_EQ(list.entries[2].number, -1) << "entries past the count stay empty";
    EXPECT_EQ(list.entries[2].position, -4000.0);
    EXPECT_EQ(formatEventFile(list), kTwoEventsText);
}

TEST(EventFile, WindowsLineEndingsAndTrailingBlankLines) {
    std::string text = kTwoEventsText;
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    crlf += "\r\n\r\n";
    EventList list;
    EXPECT_FALSE(parseEventFile(crlf, list).damaged);
    ASSERT_EQ(list.count, 2);
    EXPECT_EQ(list.entries[0].time, "14:05:09\n");
}

TEST(EventFile, DamageKeepsTheEventsBeforeIt) {
    struct Case {
        std::string text;
        int count;
        const char* why;
    };
    const std::string one = "0\n12\n0.5\na\nb\nc\nd\ne\n";
    const Case cases[] = {
        {one + "100\n13\n0.5\na\nb\nc\nd\ne\n", 1, "event number 100"},
        {one + "-1\n13\n0.5\na\nb\nc\nd\ne\n", 1, "negative event number"},
        {one + "seven\n13\n0.5\na\nb\nc\nd\ne\n", 1, "number line without a number"},
        {one + "1\n13\nhalf\na\nb\nc\nd\ne\n", 1, "position without a number"},
        {one + "1\n13\n0.5\na\nb\n", 1, "event cut short"},
        {"garbage", 0, "garbage"},
    };
    for (const auto& c : cases) {
        EventList list;
        EXPECT_TRUE(parseEventFile(c.text, list).damaged) << c.why;
        EXPECT_EQ(list.count, c.count) << c.why;
    }
}

TEST(EventFile, NoMoreThanAHundredEvents) {
    std::string text;
    for (int i = 0; i < 105; ++i) text += std::to_string(i % 100) + "\n" + std::to_string(i) + "\n0.5\na\nb\nc\nd\ne\n";
    EventList list;
    const auto r = parseEventFile(text, list);
    EXPECT_TRUE(r.overflow);
    EXPECT_FALSE(r.damaged);
    EXPECT_EQ(list.count, kMaxEvents);
    EXPECT_EQ(list.entries[99].ping, 99);
}

TEST(EventFile, TextsThatWouldBreakTheLayoutAreMended) {
    EventList list;
    list.entries[0] = entry(1, 5, 0.25, "two\nlines");
    list.entries[0].latitude = "no newline";
    list.count = 1;
    const std::string text = formatEventFile(list);
    EventList back;
    EXPECT_FALSE(parseEventFile(text, back).damaged);
    ASSERT_EQ(back.count, 1);
    EXPECT_EQ(back.entries[0].annotation, "two lines\n");
    EXPECT_EQ(back.entries[0].latitude, "no newline\n");
    // Over-long lines are cut, not split into extra lines.
    list.entries[0].annotation = std::string(800, 'a') + "\n";
    EXPECT_FALSE(parseEventFile(formatEventFile(list), back).damaged);
    EXPECT_EQ(back.entries[0].annotation.size(), 519u);
}

// A position line that reads as a huge number once made the writer emit a
// whole uninitialised buffer, different on every call (fuzz input
// regression-huge-position of the event file target).
TEST(EventFile, PositionsOutsideTheImageAreBroughtToItsEdges) {
    struct Case {
        const char* line;
        double position;
    };
    const Case cases[] = {
        {"1e300", 1.0}, {"-1e300", 0.0}, {"1.5", 1.0}, {"-0.25", 0.0}, {"inf", 1.0}, {"-infinity", 0.0}, {"0.75", 0.75},
    };
    for (const auto& c : cases) {
        EventList list;
        const std::string text = std::string("1\n5\n") + c.line + "\na\nb\nc\nd\ne\n";
        EXPECT_FALSE(parseEventFile(text, list).damaged) << c.line;
        ASSERT_EQ(list.count, 1) << c.line;
        EXPECT_EQ(list.entries[0].position, c.position) << c.line;
    }
    EventList list;
    EXPECT_TRUE(parseEventFile("1\n5\nnan\na\nb\nc\nd\ne\n", list).damaged);
    EXPECT_EQ(list.count, 0);
}

TEST(EventFile, EveryPositionIsWrittenAsSixDecimalsWithinTheImage) {
    const double held[] = {1e300, -1e300, std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(), -4000.0, 0.5};
    const char* const written[] = {"1.000000", "0.000000", "1.000000", "0.000000", "0.000000", "0.500000"};
    for (std::size_t i = 0; i < std::size(held); ++i) {
        EventList list;
        list.entries[0] = entry(1, 5, held[i], "a");
        list.count = 1;
        const std::string text = formatEventFile(list);
        EXPECT_EQ(text, std::string("1\n5\n") + written[i] + "\n54.12.345 N\n007.45.678 E\n07-DEC-2026\n14:05:09\na\n")
            << held[i];
        EXPECT_EQ(formatEventFile(list), text) << "the same list always gives the same bytes";
    }
}

TEST(EventFile, OpeningAndClosingAPlayedFileLeavesItsEventFileAlone) {
    // Three events, the second with a position far outside the image and
    // Windows line endings: nothing of it may change unless an event does.
    const std::string original =
        "0\r\n12\r\n0.412500\r\nlat\r\nlon\r\ndate\r\ntime\r\nfirst\r\n"
        "1\r\n5\r\n1e300\r\na\r\nb\r\nc\r\nd\r\ne\r\n"
        "2\r\n40\r\n0.9\r\nlat\r\nlon\r\ndate\r\ntime\r\nthird\r\n";
    MemoryFileSystem fs;
    RecordingNotifier notifier;
    fs.bytes("/d/x.an").assign(original.begin(), original.end());
    EventList events;
    PlayedEventFile played;
    played.open("/d/x.642", false, fs, notifier, events);
    ASSERT_TRUE(played.writable());
    ASSERT_EQ(events.count, 3);
    EXPECT_EQ(events.entries[1].position, 1.0);
    played.close(events, notifier);
    EXPECT_EQ(std::string(fs.bytes("/d/x.an").begin(), fs.bytes("/d/x.an").end()), original);
    EXPECT_TRUE(notifier.texts.empty());

    // An edit is written back, every event with it, and reads back whole.
    played.open("/d/x.642", false, fs, notifier, events);
    events.entries[2].annotation = "third, edited\n";
    played.close(events, notifier);
    const std::string rewritten(fs.bytes("/d/x.an").begin(), fs.bytes("/d/x.an").end());
    EXPECT_TRUE(std::all_of(rewritten.begin(), rewritten.end(),
                            [](char c) { return c == '\n' || (c >= ' ' && c <= '~'); }));
    EventList back;
    EXPECT_FALSE(parseEventFile(rewritten, back).damaged);
    ASSERT_EQ(back.count, 3);
    EXPECT_EQ(back.entries[1].position, 1.0);
    EXPECT_EQ(back.entries[2].annotation, "third, edited\n");
}

TEST(EventFile, NameBesideTheDataFile) {
    EXPECT_EQ(eventFilePathFor("/data/070301 14-05-09.642"), "/data/070301 14-05-09.an");
    EXPECT_EQ(eventFilePathFor("track642"), "trackan");
}

TEST(EventFile, WriteEmptiesTheFileFirstAndLoadReportsDamage) {
    MemoryFileSystem fs;
    RecordingNotifier notifier;
    fs.bytes("x.an").assign(5000, 'z');
    auto f = fs.open("x.an", OpenMode::ReadWrite);
    ASSERT_TRUE(writeEventFile(*f, twoEvents()));
    EXPECT_EQ(std::string(fs.bytes("x.an").begin(), fs.bytes("x.an").end()), kTwoEventsText);

    EventList list;
    EXPECT_FALSE(loadEventFile(*f, list, notifier).damaged);
    EXPECT_EQ(list.count, 2);
    EXPECT_TRUE(notifier.texts.empty());

    const std::string bad = std::string(kTwoEventsText) + "100\n";
    fs.bytes("x.an").assign(bad.begin(), bad.end());
    EXPECT_TRUE(loadEventFile(*f, list, notifier).damaged);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(notifier.texts, std::vector<std::string>{"Event Info File Damaged!"});

    fs.failTruncate = true;
    EXPECT_FALSE(writeEventFile(*f, twoEvents()));
}

}  // namespace
}  // namespace hx
