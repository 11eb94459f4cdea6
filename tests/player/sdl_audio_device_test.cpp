#include "player/sdl_audio_device.h"
#include "player/sdl_wave_player.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace brivo {
namespace {

// A machine without any usable sound output: the player's open fails with
// a French device error, and nothing else breaks.
TEST(SdlAudioDevice, WithoutASoundOutputOpenFailsWithAFrenchError)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlWavePlayer player;
    PcmSound sound;
    sound.sampleRate = 11025;
    sound.channels = 1;
    sound.samples.assign(100, 0);
    const Result<void> opened = player.openSound(sound);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().code, ErrorCode::DeviceFailed);
    EXPECT_TRUE(opened.error().message.starts_with("Aucun périphérique audio n'est disponible"))
        << opened.error().message;
    EXPECT_FALSE(player.play());
    unsetenv("SDL_AUDIODRIVER");
}

TEST(SdlAudioDevice, BuffersLastAtMostEightMilliseconds)
{
    for (const int rate : {4000, 8000, 11025, 16000, 22050}) {
        const auto frames = SdlAudioDevice::bufferFramesFor(rate);
        EXPECT_LE(frames * 1000.0 / rate, 8.0) << rate;
        EXPECT_GT(frames * 2 * 1000.0 / rate, 8.0) << rate; // the largest power of two that fits
        EXPECT_EQ(frames & (frames - 1), 0) << rate;
    }
}

// With SDL's disk driver: two plays in a row go to the output opened once;
// ten seconds of silence later it is still open and still taking samples
// (silence, written to the driver's file), and the next play starts
// without opening it again.
TEST(SdlAudioDevice, OutputStaysOpenAndAwakeBetweenPlays)
{
    const std::filesystem::path played =
        std::filesystem::temp_directory_path() / ("brivo-disk-" + std::to_string(getpid()) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", played.c_str(), 1);
    {
        SdlWavePlayer player;
        PcmSound tone;
        tone.sampleRate = 11025;
        tone.channels = 1;
        for (int i = 0; i < 2205; ++i)
            tone.samples.push_back(static_cast<std::int16_t>(8000 * std::sin(i * 0.45)));
        const auto playToTheEnd = [&] {
            ASSERT_TRUE(player.openSound(tone));
            ASSERT_TRUE(player.play());
            for (int i = 0; i < 300 && player.mode() == PlayerMode::Playing; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            EXPECT_EQ(player.positionMs(), 200U);
        };
        playToTheEnd();
        playToTheEnd();
        EXPECT_EQ(player.audioOutput().openCount(), 1);
        const auto before = std::filesystem::file_size(played);
        std::this_thread::sleep_for(std::chrono::seconds(10));
        // Ten seconds at 11025 Hz, 16 bits: the silence went on.
        EXPECT_GT(std::filesystem::file_size(played) - before, 150'000U);
        player.closeIdleOutput(); // only 10 s: it stays
        ASSERT_TRUE(player.openSound(tone));
        ASSERT_TRUE(player.play());
        for (int i = 0; i < 100 && player.firstPullAfterPlay() < 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_GE(player.firstPullAfterPlay(), 0);
        EXPECT_EQ(player.audioOutput().openCount(), 1);
    }
    std::filesystem::remove(played);
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
}

} // namespace
} // namespace brivo
