#pragma once

#include "common/result.h"

#include <cstdint>
#include <functional>
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

// Where the samples of a WAV file lie in it.
struct WavLayout {
    int sampleRate = 0;
    int channels = 0;
    std::uint64_t dataOffset = 0; // first byte of the first frame
    std::uint64_t frames = 0;     // whole frames of the data chunk
};

// Copies up to `count` bytes at `offset` into `out`; returns how many it
// copied (fewer only at the end of the file or on a read fault).
using ReadAt = std::function<std::size_t(std::uint64_t offset, char* out, std::size_t count)>;

// Reads the header of a RIFF/WAVE file of 16-bit PCM, one or two channels,
// walking its chunks in order (any chunk besides "fmt " and "data" is
// skipped, without being read). A data chunk that declares more bytes than
// the file holds is refused, as is every malformed header (BadFormat, with a
// French message); nothing here trusts a size field.
Result<WavLayout> readWavLayout(std::uint64_t fileSize, const ReadAt& readAt);

// Reads a whole WAV file held in memory, with the rules of readWavLayout.
Result<PcmSound> readWav(std::string_view bytes);

// Little-endian 16-bit samples to native ones; `bytes` holds 2 × count.
void decodeSamples(const char* bytes, std::int16_t* out, std::size_t count);

} // namespace brivo
