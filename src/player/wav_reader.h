#pragma once

#include <cstdint>
#include <string>
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

struct WavReadResult {
    bool ok = false;
    PcmSound sound;
    std::string error; // French, when not ok
};

// Reads a RIFF/WAVE file of 16-bit PCM, one or two channels, walking its
// chunks in order (any chunk besides "fmt " and "data" is skipped). A data
// chunk that declares more bytes than the file holds is refused, as is
// every malformed header; nothing here trusts a size field.
WavReadResult readWav(std::string_view bytes);

} // namespace brivo
