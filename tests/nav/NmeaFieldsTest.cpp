// The field primitives decide how malformed sentences come out; these pin
// their edge behaviour.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "nav/NmeaFields.h"

namespace hx::nmea {
namespace {

TEST(NmeaFields, FindCountsFromTheStartIndexAndRefusesOutOfRangeStarts) {
    const std::string_view s = "$GPGGA,1,2";
    EXPECT_EQ(find(s, ',', 0), 6);
    EXPECT_EQ(find(s, ',', 6), 6);
    EXPECT_EQ(find(s, ',', 7), 8);
    EXPECT_EQ(find(s, ',', 9), -1);
    EXPECT_EQ(find(s, ',', -1), -1);
    EXPECT_EQ(find(s, ',', 10), -1);
    EXPECT_EQ(find(s, ',', 1000), -1);
    EXPECT_EQ(find("", ',', 0), -1);
}

TEST(NmeaFields, MidClampsNegativeArgumentsAndCutsAtTheEnd) {
    const std::string_view s = "4807.038";
    EXPECT_EQ(mid(s, 0, 2), "48");
    EXPECT_EQ(mid(s, 2, 6), "07.038");
    EXPECT_EQ(mid(s, 2, 100), "07.038");
    EXPECT_EQ(mid(s, -3, 2), "48");
    EXPECT_EQ(mid(s, 3, -1), "");
    EXPECT_EQ(mid(s, 8, 2), "");
    EXPECT_EQ(mid(s, 50, 2), "");
    EXPECT_EQ(at(s, 0), '4');
    EXPECT_EQ(at(s, -1), '\0');
    EXPECT_EQ(at(s, 8), '\0');
}

TEST(NmeaFields, IntegerConversionIsLenient) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"123519", 123519}, {"  42", 42},  {"\t7x", 7},      {"-1", -1},         {"+5", 5},
        {"", 0},            {",N", 0},     {"abc", 0},       {"08", 8},          {"12.9", 12},
        {"- 3", 0},         {"99999999999999", std::numeric_limits<int>::max()}, {"-99999999999999", std::numeric_limits<int>::min()},
    };
    for (const auto& c : cases) EXPECT_EQ(toInt(c.text), c.value) << c.text;
}

TEST(NmeaFields, FloatingConversionStopsAtJunkAndNeverYieldsNanOrInfinity) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"07.038,N", 7.038}, {"022.4", 22.4}, {"  5.5", 5.5},  {".5", 0.5},     {"5.", 5.0},
        {"-3.25*6A", -3.25}, {"", 0.0},       {",", 0.0},      {"nan", 0.0},    {"inf", 0.0},
        {"0x1A", 0.0},       {"1e3", 1000.0}, {"12E", 12.0},   {"1e999", 0.0},  {"+.", 0.0},
        {"254.1\r", 254.1},
    };
    for (const auto& c : cases) {
        const double v = toDouble(c.text);
        EXPECT_TRUE(std::isfinite(v)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
}

}  // namespace
}  // namespace hx::nmea
