#include <gtest/gtest.h>

#include "app/StatusText.h"

using namespace hx;

TEST(StatusText, ValuesInBothUnits) {
    EXPECT_EQ(formatZoomPercent(0.502), "50%");
    EXPECT_EQ(formatZoomPercent(2.0), "200%");
    EXPECT_EQ(formatTarget(false, 12.34, false), "P: 12.3 m");
    EXPECT_EQ(formatTarget(true, 30.48, true), "S: 100.0 ft");
    EXPECT_EQ(formatTemperature(10.0, false), "10.0 C");
    EXPECT_EQ(formatTemperature(10.0, true), "50.0 F");
    EXPECT_EQ(formatDepth(3.048, true), "10.0 ft");
    EXPECT_EQ(formatAngle(-2.25), "-2.2");
    EXPECT_EQ(formatRangeText(50, false), "50 m");
    EXPECT_EQ(formatRangeText(50, true), "150 ft");
}

TEST(StatusText, GainsFollowTheHeadSet) {
    HeadTable heads;
    heads.headGain = {1, 2, 3, 4};
    LinkFields link;
    link.allSideScansAvailable = 1;
    EXPECT_EQ(formatGains(heads, link), "1 2 3 4");
    heads.headAvailable[kHeadES] = 0;
    EXPECT_EQ(formatGains(heads, link), "1 2 3");
    link.allSideScansAvailable = 0;
    link.displayHeadA = 0;
    link.displayHeadB = 2;
    EXPECT_EQ(formatGains(heads, link), "1 3");
    heads.headAvailable[kHeadES] = 1;
    EXPECT_EQ(formatGains(heads, link), "1 3 4");
    link.displayHeadB = 99;  // damaged state never indexes outside the table
    EXPECT_EQ(formatGains(heads, link), "1 3 4");
}
