// Feeds arbitrary bytes to the player's WAV reader: it must refuse or read
// them without reading past the end, and what it reads must be whole frames.
#include "player/wav_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = brivo::readWav(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result) {
        const auto& sound = *result;
        if (sound.channels < 1 || sound.samples.size() % static_cast<std::size_t>(sound.channels) != 0 ||
            sound.samples.size() * 2 > size)
            std::abort();
    } else if (result.error().message.empty()) {
        std::abort();
    }
    return 0;
}
