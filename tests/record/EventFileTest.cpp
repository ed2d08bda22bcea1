// The event file: its eight-line layout, reading it back, and damaged files.
#include <gtest/gtest.h>

#include "RecordFakes.h"
#include "record/EventFile.h"

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
