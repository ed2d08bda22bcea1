#include <gtest/gtest.h>

#include "core/LocalTime.h"

using namespace hx;

TEST(LocalTime, TextsUseTheFixedFormats) {
    LocalTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 8;
    t.hour = 7;
    t.minute = 5;
    t.second = 9;
    t.millisecond = 42;
    EXPECT_EQ(formatDateText(t), "08-DEC-2026");
    EXPECT_EQ(formatTimeText(t), "07:05:09");
    EXPECT_EQ(formatMillisecondsText(t), ".042");
}

TEST(LocalTime, MonthNamesBothWays) {
    EXPECT_STREQ(monthAbbreviation(1), "JAN");
    EXPECT_STREQ(monthAbbreviation(0), "???");
    EXPECT_STREQ(monthAbbreviation(13), "???");
    EXPECT_EQ(monthFromAbbreviation("SEP"), 9);
    EXPECT_EQ(monthFromAbbreviation("sep"), 0);
}
