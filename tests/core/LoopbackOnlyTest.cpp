// The loopback-only switch: which addresses pass, and that the switch is
// read from the environment each time.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/LoopbackOnly.h"

namespace hx {
namespace {

TEST(LoopbackOnly, OnlyDottedQuadsIn127Pass) {
    struct Case {
        const char* address;
        bool loopback;
    };
    const Case cases[] = {
        {"127.0.0.1", true},      {"127.0.0.2", true},     {"127.255.255.254", true}, {"localhost", true},
        {"192.168.0.2", false},   {"10.0.0.1", false},     {"128.0.0.1", false},      {"0.0.0.0", false},
        {"127.0.0", false},       {"127.0.0.1.5", false},  {"127.0.0.256", false},    {"127.0.0.-1", false},
        {" 127.0.0.1", false},    {"127.0.0.1 ", false},   {"127..0.1", false},       {"0127.0.0.1", false},
        {"127.0.0.0001", false},  {"::1", false},          {"", false},               {"LOCALHOST.evil", false},
        {"127.0.0.1x", false},    {"1270.0.0.1", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isLoopbackAddress(c.address), c.loopback) << '"' << c.address << '"';
}

TEST(LoopbackOnly, RefusesOutsideLoopbackOnlyWhenSwitchedOn) {
    setenv(kLoopbackOnlyVariable, "0", 1);
    EXPECT_FALSE(loopbackOnly());
    EXPECT_FALSE(loopbackRefusal("192.168.0.2", "head L").has_value());

    setenv(kLoopbackOnlyVariable, "1", 1);
    EXPECT_TRUE(loopbackOnly());
    const auto refusal = loopbackRefusal("192.168.0.2", "head L");
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(*refusal, "HX642_LOOPBACK_ONLY is set: head L address \"192.168.0.2\" is outside 127.0.0.0/8, not tried");
    EXPECT_FALSE(loopbackRefusal("127.0.0.2", "head L").has_value());
}

}  // namespace
}  // namespace hx
