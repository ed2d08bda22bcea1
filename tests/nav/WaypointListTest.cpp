// Waypoint list files: the line format, the 100-entry table, the marks and
// the load command's messages, on files written by the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/FileDialogPort.h"
#include "core/Notifier.h"
#include "nav/UtmProjection.h"
#include "nav/WaypointList.h"

namespace hx {
namespace {

namespace fs = std::filesystem;

class RecordingNotifier final : public INotifier {
public:
    Answer message(const std::string& text, MessageIcon, Buttons, const std::string&) override {
        messages.push_back(text);
        return Answer::Ok;
    }
    std::vector<std::string> messages;
};

class FakeDialogs final : public IFileDialogPort {
public:
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override {
        lastTitle = title;
        lastFilter = filter;
        return answer;
    }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> answer;
    std::string lastTitle, lastFilter;
};

class WaypointFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("hx642-wpt-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
        // A reference position near the example waypoints.
        const UtmPoint ref = LatLonToUtm(49.27, -123.18);
        track_.trackFirstFix = 0;
        track_.trackOriginEasting = ref.eastingM;
        track_.trackOriginNorthing = ref.northingM;
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string write(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    fs::path dir_;
    TrackState track_;
    RecordingNotifier notifier_;
    WaypointTable table_;
    WaypointMarkerPath marks_;
};

TEST(WaypointLine, TheExampleLine) {
    const auto w = parseWaypointLine("12,BUOY A,4916.4500,N,12311.1200,W");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->number, 12);
    EXPECT_EQ(w->name, "BUOY A");
    EXPECT_NEAR(w->latitudeDeg, 49.274166666, 1e-8);
    EXPECT_NEAR(w->longitudeDeg, -123.185333333, 1e-8);
}

TEST(WaypointLine, HemispheresExtraFieldsAndLineEnds) {
    auto w = parseWaypointLine("3,SOUTH,3349.0337,s,01843.9282,e,extra,fields\r\n");
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->latitudeDeg, -(33 + 49.0337 / 60), 1e-10);
    EXPECT_NEAR(w->longitudeDeg, 18 + 43.9282 / 60, 1e-10);
    w = parseWaypointLine("4,WEST,0100.0000,N,00100.0000,w");
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->longitudeDeg, -(1 + 0.0 / 60), 1e-12);
    EXPECT_NEAR(w->latitudeDeg, 1.0, 1e-12);
    // Any other letter is north / east.
    w = parseWaypointLine("5,X,1000.0000,Q,01000.0000,");
    ASSERT_TRUE(w);
    EXPECT_GT(w->latitudeDeg, 0);
    EXPECT_GT(w->longitudeDeg, 0);
}

TEST(WaypointLine, FieldsAreCountedByCommasAndMissingOnesReadAsZero) {
    struct Case {
        const char* line;
        int number;
        const char* name;
        double latitudeDeg, longitudeDeg;
    };
    const Case cases[] = {
        {"12,BUOY A,4916.4500,N,12311.1200", 12, "BUOY A", 49.274166666, 123.185333333},  // no E/W letter: east
        {"12,BUOY A", 12, "BUOY A", 0.0, 0.0},
        {"Waypoints of survey 12", 0, "", 0.0, 0.0},
        {"x,NAME,abc,N,,W", 0, "NAME", 0.0, -0.0},
        {"7,A,4916.4500,s", 7, "A", -49.274166666, 0.0},
        // The longitude starts two characters after the hemisphere letter:
        // with the letter left out it starts one character into the field.
        {"8,B,4916.4500,,0123.5,W", 8, "B", 49.274166666, -(123 + 0.5 / 60)},
        // A hemisphere field longer than its letter: the longitude is read
        // from its third character.
        {"9,C,4916.4500,N0123.5,W", 9, "C", 49.274166666, -(123 + 0.5 / 60)},
    };
    for (const auto& c : cases) {
        const auto w = parseWaypointLine(c.line);
        ASSERT_TRUE(w) << c.line;
        EXPECT_EQ(w->number, c.number) << c.line;
        EXPECT_EQ(w->name, c.name) << c.line;
        EXPECT_NEAR(w->latitudeDeg, c.latitudeDeg, 1e-8) << c.line;
        EXPECT_NEAR(w->longitudeDeg, c.longitudeDeg, 1e-8) << c.line;
    }
}

TEST(WaypointLine, BlankLinesAndPlacesOffTheEarthGiveNoWaypoint) {
    const char* const skipped[] = {
        "", "\r", " \t ",
        "1,A,0099999999,N,00000.0000,E",  // 1.67 million degrees (fuzz input regression-huge-latitude)
        "1,A,9000.0001,N,00000.0000,E",   // just past the pole
        "1,A,0000.0000,N,18000.0060,W",   // just past the date line
        "1,A,4916.4500,,12311.1200,W",    // empty letter: the longitude reads 231 degrees
    };
    for (const char* line : skipped) EXPECT_FALSE(parseWaypointLine(line)) << line;
    const auto pole = parseWaypointLine("2,POLE,9000.0000,S,18000.0000,W");
    ASSERT_TRUE(pole);
    EXPECT_EQ(pole->latitudeDeg, -90.0);
    EXPECT_EQ(pole->longitudeDeg, -180.0);
}

TEST(WaypointLine, MarksFarFromTheReferenceStayInsideInt) {
    // Under the sanitizers an overflowing conversion or corner fails the test.
    const Waypoint pole{1, "P", -90.0, -180.0};
    for (const double ref : {1e12, -1e12, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        const WaypointMark m = waypointMarkFor(pole, ref, -ref);
        EXPECT_LE(std::abs(static_cast<long long>(m.x)), 1000000000LL) << ref;
        EXPECT_LE(std::abs(static_cast<long long>(m.y)), 1000000000LL) << ref;
        EXPECT_EQ(m.circleLeft, m.x - 12);
        EXPECT_EQ(m.textTop, m.y - 10);
    }
    EXPECT_EQ(waypointMarkFor(pole, 1e12, 0.0).x, -1000000000);
}

TEST(WaypointLine, FileNames) {
    EXPECT_TRUE(isWaypointFileName("route.wpt"));
    EXPECT_TRUE(isWaypointFileName("/data/route.WPT"));
    EXPECT_TRUE(isWaypointFileName("routewpt"));
    EXPECT_FALSE(isWaypointFileName("route.txt"));
    EXPECT_FALSE(isWaypointFileName("pt"));
}

TEST(WaypointLine, MarkIsTheOffsetFromTheReferenceCutTowardZero) {
    const Waypoint w{7, "A", 49.274166666, -123.185333333};
    const UtmPoint p = LatLonToUtm(w.latitudeDeg, w.longitudeDeg);
    const WaypointMark m = waypointMarkFor(w, p.eastingM - 100.7, p.northingM + 50.9);
    EXPECT_EQ(m.x, 100);
    EXPECT_EQ(m.y, 50);
    const WaypointMark n = waypointMarkFor(w, p.eastingM + 100.7, p.northingM - 50.9);
    EXPECT_EQ(n.x, -100);
    EXPECT_EQ(n.y, -50);
    EXPECT_EQ(m.circleLeft, 88);
    EXPECT_EQ(m.circleTop, 38);
    EXPECT_EQ(m.circleSize, 24);
    EXPECT_EQ(m.textLeft, 85);
    EXPECT_EQ(m.textTop, 40);
    EXPECT_EQ(m.textWidth, 30);
    EXPECT_EQ(m.text, "7");
}

TEST_F(WaypointFiles, LoadThroughTheDialog) {
    FakeDialogs dialogs;
    dialogs.answer = write("route.WPT", "12,BUOY A,4916.4500,N,12311.1200,W\n13,BUOY B,4916.5000,N,12311.2000,W\n");
    EXPECT_EQ(LoadWaypointList(dialogs, notifier_, track_, table_, marks_), WaypointLoadResult::Loaded);
    EXPECT_EQ(dialogs.lastTitle, "Load Waypoint List From a File:");
    EXPECT_EQ(dialogs.lastFilter, "Waypoint List File: (*.wpt)");
    EXPECT_EQ(table_.count, 2);
    EXPECT_EQ(table_.entries[1].name, "BUOY B");
    ASSERT_EQ(marks_.size(), 2u);
    EXPECT_EQ(marks_[0].text, "12");
    EXPECT_TRUE(notifier_.messages.empty());

    dialogs.answer.reset();
    EXPECT_EQ(LoadWaypointList(dialogs, notifier_, track_, table_, marks_), WaypointLoadResult::Cancelled);
    EXPECT_EQ(table_.count, 2);
}

TEST_F(WaypointFiles, WrongTypeAndMissingFile) {
    EXPECT_EQ(LoadWaypointFile(write("route.txt", "12,A,4916.45,N,12311.12,W\n"), notifier_, track_, table_, marks_),
              WaypointLoadResult::WrongFileType);
    EXPECT_EQ(LoadWaypointFile((dir_ / "gone.wpt").string(), notifier_, track_, table_, marks_),
              WaypointLoadResult::OpenFailed);
    ASSERT_EQ(notifier_.messages.size(), 2u);
    EXPECT_EQ(notifier_.messages[0], "ERROR: Application can not recognize this file type!");
    EXPECT_EQ(notifier_.messages[1], "Failed to open document.");
    EXPECT_EQ(table_.count, 0);
}

TEST_F(WaypointFiles, AHundredAndFiftyLinesLoadAHundred) {
    std::string text;
    for (int i = 1; i <= 150; ++i) text += std::to_string(i) + ",WP" + std::to_string(i) + ",4916.4500,N,12311.1200,W\r\n";
    ASSERT_EQ(LoadWaypointFile(write("many.wpt", text), notifier_, track_, table_, marks_), WaypointLoadResult::Loaded);
    EXPECT_EQ(table_.count, 100);
    EXPECT_EQ(table_.entries[99].number, 100);
    EXPECT_EQ(marks_.size(), 100u);
}

TEST_F(WaypointFiles, EveryLineWithTextIsAWaypointLongLinesCut) {
    const std::string longName(700, 'N');
    const std::string text = "Route for Tuesday\n\n12,BUOY A,4916.4500,N,12311.1200,W\n" + std::string("13,") + longName +
                             ",4916.4500,N,12311.1200,W\n1,A,0099999999,N,00000.0000,E\n14,BUOY C,4916.6000,N,12311.3000,W";
    ASSERT_EQ(LoadWaypointFile(write("mixed.wpt", text), notifier_, track_, table_, marks_), WaypointLoadResult::Loaded);
    // The title reads as waypoint 0 at 0/0; the blank line and the line
    // off the earth give none; the line whose fields lie beyond 511
    // characters keeps its number and the name up to the cut; the last line
    // needs no line end.
    ASSERT_EQ(table_.count, 4);
    EXPECT_EQ(table_.entries[0].number, 0);
    EXPECT_EQ(table_.entries[0].latitudeDeg, 0.0);
    EXPECT_EQ(table_.entries[1].number, 12);
    EXPECT_EQ(table_.entries[2].number, 13);
    EXPECT_EQ(table_.entries[2].name, std::string(508, 'N'));
    EXPECT_EQ(table_.entries[2].longitudeDeg, 0.0);
    EXPECT_EQ(table_.entries[3].number, 14);
    EXPECT_EQ(marks_.size(), 4u);
}

TEST_F(WaypointFiles, ASecondListReplacesTheFirst) {
    LoadWaypointFile(write("a.wpt", "1,A,4916.45,N,12311.12,W\n2,B,4916.46,N,12311.13,W\n3,C,4916.47,N,12311.14,W\n"),
                     notifier_, track_, table_, marks_);
    ASSERT_EQ(table_.count, 3);
    LoadWaypointFile(write("b.wpt", "9,Z,4916.45,N,12311.12,W\n"), notifier_, track_, table_, marks_);
    EXPECT_EQ(table_.count, 1);
    EXPECT_EQ(table_.entries[0].number, 9);
    ASSERT_EQ(marks_.size(), 1u);
    EXPECT_EQ(marks_[0].text, "9");
}

TEST_F(WaypointFiles, LoadIsEnabledOnceTheTrackHasItsReference) {
    TrackState fresh;
    EXPECT_FALSE(loadWaypointListEnabled(fresh));
    EXPECT_TRUE(loadWaypointListEnabled(track_));
}

}  // namespace
}  // namespace hx
