// Reassembly of replies from a TCP byte stream cut anywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "link/ReplyFramer.h"
#include "LinkTestMessages.h"

namespace hx {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> feedAll(ReplyFramer& f, const Bytes& stream, const std::vector<std::size_t>& cuts) {
    std::vector<Bytes> out;
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
        if (auto m = f.feed(std::span<const std::uint8_t>(stream).subspan(at, cut - at))) out.emplace_back(m->begin(), m->end());
        at = cut;
    }
    if (auto m = f.feed(std::span<const std::uint8_t>(stream).subspan(at))) out.emplace_back(m->begin(), m->end());
    return out;
}

TEST(ReplyFramer, WholeSplitAndSingleByteReplies) {
    const Bytes reply = test::makeDataReply(0, 0x00);
    for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{127}, std::size_t{564}, std::size_t{1127},
                              std::size_t{1128}, std::size_t{4096}}) {
        SCOPED_TRACE(chunk);
        ReplyFramer f;
        f.expect(ExpectedReply::Data);
        std::vector<std::size_t> cuts;
        for (std::size_t c = chunk; c < reply.size(); c += chunk) cuts.push_back(c);
        const auto out = feedAll(f, reply, cuts);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0], reply);
        EXPECT_EQ(f.expected(), ExpectedReply::None);
    }
}

TEST(ReplyFramer, SurplusAndStrayBytesAreDropped) {
    ReplyFramer f;
    // Nothing asked for: discarded.
    const Bytes stray{1, 2, 3};
    EXPECT_FALSE(f.feed(stray));
    EXPECT_EQ(f.discarded(), 3u);

    // 1129 bytes in one read: the reply is the first 1128.
    Bytes longer = test::makeDataReply(2, 0x10, 0, 1129);
    f.expect(ExpectedReply::Data);
    auto m = f.feed(longer);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->size(), 1128u);
    EXPECT_EQ(f.discarded(), 4u);
    // The surplus byte arriving separately, before the next request, too.
    EXPECT_FALSE(f.feed(Bytes{0xEE}));
    EXPECT_EQ(f.discarded(), 5u);

    // A system information reply is exactly 256 bytes.
    const Bytes sys = test::makeLoopbackSystemInfo(0x0F);
    Bytes joined = sys;
    joined.insert(joined.end(), 900, 0x33);
    f.expect(ExpectedReply::SystemInfo);
    m = f.feed(joined);
    ASSERT_TRUE(m);
    EXPECT_EQ(Bytes(m->begin(), m->end()), sys);
}

TEST(ReplyFramer, ANewRequestForgetsAPartialReply) {
    ReplyFramer f;
    const Bytes reply = test::makeDataReply(1, 0x00);
    f.expect(ExpectedReply::Data);
    EXPECT_FALSE(f.feed(std::span<const std::uint8_t>(reply).first(500)));
    EXPECT_EQ(f.buffered(), 500u);
    f.expect(ExpectedReply::Data);
    EXPECT_EQ(f.buffered(), 0u);
    auto m = f.feed(reply);
    ASSERT_TRUE(m);
    EXPECT_EQ(Bytes(m->begin(), m->end()), reply);
    f.expect(ExpectedReply::Data);
    f.feed(std::span<const std::uint8_t>(reply).first(10));
    f.reset();
    EXPECT_FALSE(f.feed(reply));
}

TEST(ReplyFramer, TheCompletedReplySurvivesTheNextRequest) {
    // The link answers a first half by asking for the second half while it
    // still holds the first; the reply must not change under it.
    ReplyFramer f;
    const Bytes first = test::makeDataReply(0, 0x00);
    f.expect(ExpectedReply::Data);
    auto m = f.feed(first);
    ASSERT_TRUE(m);
    f.expect(ExpectedReply::Data);
    f.feed(Bytes(600, 0x99));
    EXPECT_EQ(Bytes(m->begin(), m->end()), first);
}

TEST(ReplyFramer, SurplusArrivingAfterTheNextRequestIsSkipped) {
    // The 1129th byte of the previous reply lands after the next request:
    // the reply is realigned on its half indicator.
    for (std::size_t stray = 1; stray <= ReplyFramer::kMaxRealignBytes; ++stray) {
        SCOPED_TRACE(stray);
        ReplyFramer f;
        f.expect(ExpectedReply::Data);
        const Bytes reply = test::makeDataReply(3, 0x10);
        Bytes stream(stray, 0xEE);
        stream.insert(stream.end(), reply.begin(), reply.end());
        for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, stream.size()}) {
            f.expect(ExpectedReply::Data);
            std::vector<std::size_t> cuts;
            for (std::size_t c = chunk; c < stream.size(); c += chunk) cuts.push_back(c);
            const auto out = feedAll(f, stream, cuts);
            ASSERT_EQ(out.size(), 1u);
            EXPECT_EQ(out[0], reply);
        }
    }
}

TEST(ReplyFramer, UnknownHalfIndicatorIsDeliveredAsItCame) {
    // Nothing within reach looks like a half indicator: no realignment, and
    // the link drops the reply for its indicator.
    ReplyFramer f;
    f.expect(ExpectedReply::Data);
    const Bytes reply = test::makeDataReply(0, 0x20);
    auto m = f.feed(reply);
    ASSERT_TRUE(m);
    EXPECT_EQ(Bytes(m->begin(), m->end()), reply);
    // A system information reply is never realigned.
    Bytes sys = test::makeLoopbackSystemInfo(0x0F);
    sys[10] = 0x33;
    f.expect(ExpectedReply::SystemInfo);
    m = f.feed(sys);
    ASSERT_TRUE(m);
    EXPECT_EQ(Bytes(m->begin(), m->end()), sys);
}

// Exchanges of random kind; each reply cut at random points, sometimes with
// surplus bytes after it and garbage before the next request. Every reply is
// delivered once and whole.
TEST(ReplyFramer, RandomStreamsCutAtRandomPoints) {
    std::mt19937 rng(642);
    for (int round = 0; round < 300; ++round) {
        ReplyFramer f;
        std::size_t delivered = 0;
        const int exchanges = 1 + static_cast<int>(rng() % 12);
        for (int e = 0; e < exchanges; ++e) {
            const bool sys = rng() % 4 == 0;
            Bytes reply = sys ? test::makeLoopbackSystemInfo(static_cast<std::uint8_t>(rng()))
                              : test::makeDataReply(static_cast<int>(rng() % 4), rng() % 2 ? 0x10 : 0x00,
                                                    static_cast<std::uint8_t>(rng()));
            for (auto& b : reply)
                if (rng() % 5 == 0) b = static_cast<std::uint8_t>(rng());
            if (!sys) reply[10] = rng() % 2 ? 0x10 : 0x00;  // a reply the link can use
            Bytes stream = reply;
            if (rng() % 3 == 0) stream.insert(stream.end(), rng() % 40, static_cast<std::uint8_t>(rng()));

            f.expect(sys ? ExpectedReply::SystemInfo : ExpectedReply::Data);
            std::vector<std::size_t> cuts;
            const int pieces = static_cast<int>(rng() % 8);
            for (int p = 0; p < pieces; ++p) cuts.push_back(rng() % (stream.size() + 1));
            if (rng() % 10 == 0)
                for (std::size_t c = 1; c < stream.size(); ++c) cuts.push_back(c);  // one byte at a time
            std::sort(cuts.begin(), cuts.end());
            const auto out = feedAll(f, stream, cuts);
            ASSERT_EQ(out.size(), 1u) << "round " << round << " exchange " << e;
            ASSERT_EQ(out[0], reply);
            ++delivered;

            // Garbage between requests is never a reply.
            Bytes garbage(rng() % 3000);
            for (auto& b : garbage) b = static_cast<std::uint8_t>(rng());
            ASSERT_TRUE(feedAll(f, garbage, {}).empty());
        }
        EXPECT_EQ(delivered, static_cast<std::size_t>(exchanges));
    }
}

// Garbage anywhere, requests at random moments: never more than the expected
// length comes out, and never a reply nobody asked for.
TEST(ReplyFramer, RandomGarbageNeverOverrunsOrInventsReplies) {
    std::mt19937 rng(4040);
    ReplyFramer f;
    int asked = 0, got = 0;
    for (int i = 0; i < 20000; ++i) {
        switch (rng() % 4) {
        case 0:
            f.expect(rng() % 2 ? ExpectedReply::Data : ExpectedReply::SystemInfo);
            ++asked;
            break;
        case 1: f.reset(); break;
        default: {
            Bytes chunk(rng() % 1500);
            for (auto& b : chunk) b = static_cast<std::uint8_t>(rng());
            const ExpectedReply kind = f.expected();
            if (auto m = f.feed(chunk)) {
                ASSERT_NE(kind, ExpectedReply::None);
                ASSERT_EQ(m->size(), ReplyFramer::replyLength(kind));
                ++got;
            }
        }
        }
    }
    EXPECT_LE(got, asked);
    EXPECT_GT(got, 0);
}

}  // namespace
}  // namespace hx
