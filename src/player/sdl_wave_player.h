#pragma once

#include "player/device_player.h"
#include "player/sdl_audio_device.h"

namespace brivo {

// The SDL output and clock, built before the player that uses them and
// destroyed after it.
struct SdlPlayerParts {
    SdlAudioDevice output;
    SteadyClock clock;
};

// The program's wave player: a DevicePlayer on the SDL sound output.
class SdlWavePlayer : private SdlPlayerParts, public DevicePlayer {
public:
    SdlWavePlayer() : DevicePlayer(output, clock) {}

    SdlAudioDevice& audioOutput() { return output; }
};

} // namespace brivo
