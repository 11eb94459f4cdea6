#pragma once

#include "common/result.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brivo {

// The samples of a 16-bit PCM WAV file.
struct PcmSound {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples; // interleaved frames

    std::uint64_t frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

// Reads a RIFF/WAVE file of 16-bit PCM, one or two channels, walking its
// chunks in order (any chunk besides "fmt " and "data" is skipped). A data
// chunk that declares more bytes than the file holds is refused, as is
// every malformed header (BadFormat, with a French message); nothing here
// trusts a size field.
Result<PcmSound> readWav(std::string_view bytes);

} // namespace brivo
