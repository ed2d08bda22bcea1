// The settings-change alarm's chime: shipped inside the program as a short
// WAV the sound effect can play, and asked for on a machine without an
// audio device without holding the program up or failing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/AlarmSound.h"

namespace hx {
namespace {

std::uint32_t u32At(const QByteArray& b, int at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 | std::uint32_t{static_cast<std::uint8_t>(b[at + 3])} << 24;
}
std::uint16_t u16At(const QByteArray& b, int at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

TEST(AlarmSound, TheChimeIsAShortPcmWaveInsideTheProgram) {
    const AlarmSound sound;  // registers the resource
    const QUrl url = AlarmSound::chimeUrl();
    ASSERT_EQ(url.scheme(), QStringLiteral("qrc"));
    QFile file(QLatin1Char(':') + url.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the chime is not a resource of the program";
    const QByteArray wav = file.readAll();
    ASSERT_GE(wav.size(), 44);
    EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(u32At(wav, 4), static_cast<std::uint32_t>(wav.size() - 8)) << "the RIFF length covers the file";
    EXPECT_EQ(u16At(wav, 20), 1) << "plain PCM";
    const std::uint16_t channels = u16At(wav, 22);
    const std::uint32_t rate = u32At(wav, 24);
    const std::uint16_t bits = u16At(wav, 34);
    EXPECT_EQ(wav.mid(36, 4), QByteArray("data"));
    const std::uint32_t dataBytes = u32At(wav, 40);
    ASSERT_GT(rate, 0u);
    ASSERT_GT(channels * bits, 0);
    const double seconds = static_cast<double>(dataBytes) / (rate * channels * (bits / 8));
    EXPECT_GT(seconds, 0.2) << "a chime, not a click";
    EXPECT_LT(seconds, 2.0) << "a short chime";
    // Not silence: the samples reach a good part of full scale.
    int peak = 0;
    for (int at = 44; at + 1 < wav.size(); at += 2) peak = std::max(peak, std::abs(static_cast<std::int16_t>(u16At(wav, at))));
    EXPECT_GT(peak, 8000);
}

TEST(AlarmSound, PlayingWithoutAnAudioDeviceDoesNoHarm) {
    AlarmSound sound;
    for (int i = 0; i < 3; ++i) {
        sound.play();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(sound.playRequests(), 3);
}

}  // namespace
}  // namespace hx

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
