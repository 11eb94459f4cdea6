#include "player/sdl_wave_player.h"

#include <cstdlib>
#include <gtest/gtest.h>

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

} // namespace
} // namespace brivo
