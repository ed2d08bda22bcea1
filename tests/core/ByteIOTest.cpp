#include <gtest/gtest.h>

#include <vector>

#include "core/ByteIO.h"

using namespace hx;

TEST(ByteIO, FixedOffsetsAreLittleEndianAndBounded) {
    std::vector<std::uint8_t> buf = {0x34, 0x12, 0x78, 0x56, 0xAA};
    EXPECT_EQ(readU16Le(buf, 0), 0x1234);
    EXPECT_EQ(readU32Le(buf, 0), 0x56781234u);
    EXPECT_EQ(readU16Le(buf, 3), 0xAA56);
    EXPECT_FALSE(readU16Le(buf, 4));
    EXPECT_FALSE(readU32Le(buf, 2));
    EXPECT_FALSE(readU8(buf, 5));
    EXPECT_FALSE(readU32Le(buf, static_cast<std::size_t>(-1)));  // no wrap-around in the bound check

    EXPECT_TRUE(writeU16Le(buf, 3, 0xBEEF));
    EXPECT_EQ(buf[3], 0xEF);
    EXPECT_EQ(buf[4], 0xBE);
    EXPECT_FALSE(writeU32Le(buf, 2, 0));
    EXPECT_EQ(buf[2], 0x78);  // a refused write changes nothing
}

TEST(ByteIO, ReaderStopsAtTheEndAndStaysFailed) {
    std::vector<std::uint8_t> buf = {1, 0, 2, 0, 0, 0, 'a', 'b', 0, 'z'};
    ByteReader r(buf);
    EXPECT_EQ(r.u16(), 1);
    EXPECT_EQ(r.u32(), 2u);
    EXPECT_EQ(r.text(4), "ab");  // stops at the first NUL, consumes all four
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.u16(), 0);       // one byte left: fails
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.u8(), 0);        // and stays failed
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteIO, WriterRoundTripsThroughReader) {
    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    w.u8(7);
    w.i16(-2);
    w.u32(0xDEADBEEF);
    w.f64(-12.5);
    w.text("HX642", 4);  // cut to three characters and a NUL
    ASSERT_EQ(out.size(), 1u + 2 + 4 + 8 + 4);

    ByteReader r(out);
    EXPECT_EQ(r.u8(), 7);
    EXPECT_EQ(r.i16(), -2);
    EXPECT_EQ(r.u32(), 0xDEADBEEFu);
    EXPECT_DOUBLE_EQ(r.f64(), -12.5);
    EXPECT_EQ(r.text(4), "HX6");
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
}
