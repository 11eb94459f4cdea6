#include "audio/wav_file_writer.h"
#include "player/device_player.h"
#include "support/fake_audio_device.h"
#include "support/little_endian.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <numeric>

namespace brivo {
namespace {

// A sound of 1000 frames at 1000 Hz: one frame per millisecond, sample i
// holds i, so what was played tells where it came from.
PcmSound rampSound(int frames = 1000)
{
    PcmSound sound;
    sound.sampleRate = 1000;
    sound.channels = 1;
    sound.samples.resize(static_cast<std::size_t>(frames));
    std::iota(sound.samples.begin(), sound.samples.end(), std::int16_t{0});
    return sound;
}

class DevicePlayerTest : public testing::Test {
protected:
    test::FakeAudioDevice device;
    test::FakeClock clock;
    DevicePlayer player{device, clock};

    // The device pulls `frames` frames, `seconds` after the previous pull.
    void playFor(std::size_t frames, double seconds)
    {
        clock.seconds += seconds;
        device.deliver(frames);
    }
};

TEST_F(DevicePlayerTest, PositionFollowsWhatWasHeardNotWhatWasHandedOver)
{
    ASSERT_TRUE(player.openSound(rampSound()));
    ASSERT_TRUE(player.play());
    EXPECT_EQ(player.mode(), PlayerMode::Playing);
    EXPECT_TRUE(device.running);
    playFor(100, 0.0);
    // 100 frames handed over, all still in the device's buffer.
    EXPECT_EQ(player.positionMs(), 0U);
    clock.seconds += 0.040;
    EXPECT_EQ(player.positionMs(), 40U);
    clock.seconds += 0.5; // the buffer cannot give more than it holds
    EXPECT_EQ(player.positionMs(), 100U);
    playFor(100, 0.0);
    EXPECT_EQ(player.positionMs(), 100U);
    EXPECT_EQ(device.played.front(), 0);
    EXPECT_EQ(device.played.back(), 199);
    // A sound shorter than the device's buffer: only what was handed over
    // is held.
    ASSERT_TRUE(player.openSound(rampSound(50)));
    player.play();
    playFor(100, 0.0);
    EXPECT_EQ(player.positionMs(), 0U);
    clock.seconds += 0.02;
    EXPECT_EQ(player.positionMs(), 20U);
}

TEST_F(DevicePlayerTest, EndOfFileStopsWithThePositionAtTheLength)
{
    ASSERT_TRUE(player.openSound(rampSound()));
    player.play();
    for (int i = 0; i < 10; ++i)
        playFor(100, 0.1);
    EXPECT_EQ(player.mode(), PlayerMode::Playing); // the last 100 frames are still in the buffer
    clock.seconds += 0.1;                          // heard now, though the device has not pulled again
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
    EXPECT_EQ(player.positionMs(), 1000U);
    playFor(100, 0.0); // the device's next pull settles the end and gets silence
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
    EXPECT_EQ(player.positionMs(), 1000U);
    EXPECT_EQ(player.lengthMs(), 1000U);
    ASSERT_EQ(device.played.size(), 1100U);
    EXPECT_EQ(device.played[999], 999);
    EXPECT_EQ(device.played[1000], 0);
    // Play at the end plays nothing; seeking back plays again from 0.
    player.play();
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
    player.seekToStart();
    player.play();
    playFor(10, 0.0);
    EXPECT_EQ(device.played[1100], 0);
}

// Stop then keeps the position, and seeking returns to zero.
TEST_F(DevicePlayerTest, PauseFreezesThePositionAndResumeGoesOnFromWhatWasHeard)
{
    ASSERT_TRUE(player.openSound(rampSound()));
    player.play();
    playFor(100, 0.0);
    playFor(100, 0.1); // 100 heard, 100 in the buffer
    clock.seconds += 0.03;
    ASSERT_TRUE(player.pauseOrResume());
    EXPECT_EQ(player.mode(), PlayerMode::Paused);
    EXPECT_TRUE(device.running); // awake, pulling silence
    EXPECT_EQ(device.deliver(3), std::vector<std::int16_t>(3, 0));
    EXPECT_EQ(player.positionMs(), 130U);
    clock.seconds += 5;
    EXPECT_EQ(player.positionMs(), 130U);
    player.pauseOrResume();
    EXPECT_EQ(player.mode(), PlayerMode::Playing);
    playFor(10, 0.0);
    EXPECT_EQ(device.played[203], 130); // the unheard part of the buffer comes again
    player.pauseOrResume();
    const std::uint32_t paused = player.positionMs();
    ASSERT_TRUE(player.stop());
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
    EXPECT_EQ(player.positionMs(), paused);
    ASSERT_TRUE(player.seekToStart());
    EXPECT_EQ(player.positionMs(), 0U);
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
}

// The output runs from its opening, through stops, and goes after 30 s
// without sound (not while a file plays); the next play opens it again.
TEST_F(DevicePlayerTest, OutputStaysAwakeAndGoesAfterThirtySilentSeconds)
{
    ASSERT_TRUE(player.openSound(rampSound()));
    EXPECT_TRUE(device.running);
    EXPECT_EQ(device.opens, 1);
    player.closeIdleOutput(); // the opening starts the count
    EXPECT_EQ(device.closes, 0);
    clock.seconds += 20;
    player.play();
    playFor(1000, 0.0); // so does each pull with sound
    clock.seconds += 29.9;
    player.closeIdleOutput();
    EXPECT_EQ(device.closes, 0);
    clock.seconds += 0.2;
    player.closeIdleOutput();
    EXPECT_EQ(device.closes, 1);
    ASSERT_TRUE(player.play()); // at the end: nothing to play, nothing to wake
    EXPECT_EQ(device.opens, 1);
    ASSERT_TRUE(player.seekToStart());
    ASSERT_TRUE(player.play());
    EXPECT_EQ(device.opens, 2);
    EXPECT_TRUE(device.running);
    clock.seconds += 100;
    playFor(10, 0.0);
    player.closeIdleOutput(); // it plays: it stays
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(device.played.back(), 9);
    clock.seconds += 40; // even when the device has not pulled for long
    player.closeIdleOutput();
    EXPECT_EQ(device.closes, 1);
}

TEST_F(DevicePlayerTest, DeviceIsKeptOpenForFilesOfTheSameFormat)
{
    ASSERT_TRUE(player.openSound(rampSound()));
    ASSERT_TRUE(player.openSound(rampSound(500)));
    EXPECT_EQ(device.opens, 1);
    PcmSound faster = rampSound();
    faster.sampleRate = 8000;
    ASSERT_TRUE(player.openSound(std::move(faster)));
    EXPECT_EQ(device.opens, 2);
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(player.lengthMs(), 125U);
    device.gone = true; // a lost device is opened anew, even for the same format
    EXPECT_TRUE(player.outputLost());
    ASSERT_TRUE(player.openSound(rampSound()));
    EXPECT_EQ(device.opens, 3);
    EXPECT_FALSE(player.outputLost());
}

// A rendered file of `frames` samples at 8000 Hz whose sample i holds
// i mod 32768 (the read-ahead holds 2000 of them).
std::string rampFile(std::uint32_t frames)
{
    std::string file(reinterpret_cast<const char*>(wavHeader(frames, 8000).data()), kWavHeaderSize);
    for (std::uint32_t i = 0; i < frames; ++i)
        file += test::littleEndian(i & 0x7FFFU, 2);
    return file;
}

// The file is read as it plays, across the read-ahead's refills, and the
// player reads the file it opened: one renamed over it changes nothing, and
// one cut short is heard as silence up to the length it had at open.
TEST_F(DevicePlayerTest, StreamsTheFileItOpened)
{
    test::TempDir dir;
    const auto path = dir / "Morse.WAV";
    test::writeBytes(path, rampFile(40000));
    ASSERT_TRUE(player.open(path));
    EXPECT_EQ(player.lengthMs(), 5000U);
    player.play();
    for (int i = 0; i < 7; ++i)
        device.deliver(777);
    test::writeBytes(dir / "next.wav", std::string(kWavHeaderSize, '\0'));
    std::filesystem::rename(dir / "next.wav", path);
    device.deliver(777);
    for (std::size_t i = 0; i < device.played.size(); ++i)
        ASSERT_EQ(device.played[i], static_cast<std::int16_t>(i)) << "frame " << i;

    ASSERT_TRUE(player.seekToStart()); // back before the read-ahead
    player.play();
    device.deliver(3);
    EXPECT_EQ(std::vector<std::int16_t>(device.played.end() - 3, device.played.end()),
              (std::vector<std::int16_t>{0, 1, 2}));

    test::writeBytes(dir / "cut.wav", rampFile(40000));
    ASSERT_TRUE(player.open(dir / "cut.wav"));
    player.play();
    device.deliver(100);
    std::filesystem::resize_file(dir / "cut.wav", kWavHeaderSize + 2 * 30000);
    device.played.clear();
    device.deliver(40000);
    EXPECT_EQ(device.played[1899], 1999); // still in the read-ahead
    EXPECT_EQ(device.played[29899], 29999);
    EXPECT_EQ(device.played[29900], 0);
    clock.seconds += 10;
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
    EXPECT_EQ(player.positionMs(), 5000U);
}

// A file that cannot be opened gives a French error; a player without a
// file refuses everything, and once closed its output pulls silence.
TEST_F(DevicePlayerTest, MissingFileIsSaidAndAClosedPlayerRefusesEverything)
{
    const Result<void> opened = player.open("/nonexistent/Morse.WAV");
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().message,
              "Impossible d'ouvrir le fichier « /nonexistent/Morse.WAV » : Fichier ou dossier introuvable");
    EXPECT_FALSE(player.play() || player.stop() || player.seekToStart() || player.pauseOrResume());
    ASSERT_TRUE(player.openSound(rampSound()));
    player.play();
    playFor(10, 0.0);
    player.close();
    EXPECT_EQ(player.mode(), PlayerMode::NotReady);
    EXPECT_TRUE(device.running); // the output stays awake
    EXPECT_EQ(device.deliver(5), std::vector<std::int16_t>(5, 0));
}

} // namespace
} // namespace brivo
