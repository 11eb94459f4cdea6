#pragma once

#include "common/result.h"
#include "player/wav_reader.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace brivo {

// Frames of 16-bit samples that a player reads by position.
class PcmSource {
public:
    virtual ~PcmSource() = default;

    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    virtual std::uint64_t frames() const = 0;
    // Copies up to `count` frames from frame `first` into `out`; returns how
    // many it copied: fewer only past the end or when the file can no longer
    // be read (it was cut short since it was opened).
    virtual std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) = 0;
};

// A source the player owns that reads `shared`, which its maker keeps too
// (a live tone it goes on keying).
std::unique_ptr<PcmSource> sharedSource(std::shared_ptr<PcmSource> shared);

// Samples already in memory.
std::unique_ptr<PcmSource> memorySource(PcmSound sound);

// A WAV file read as it plays, through a read-ahead buffer of
// kReadAheadMs: the memory held does not grow with the file. Its header is
// checked at once, with readWavLayout's rules. The file stays open until the
// source is destroyed; replacing the file by renaming another over it does
// not change what the source reads.
inline constexpr int kReadAheadMs = 250;
Result<std::unique_ptr<PcmSource>> openWavFile(const std::filesystem::path& path);

} // namespace brivo
