#pragma once

#include "common/atomic_file.h"
#include "common/result.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brivo {

inline constexpr std::size_t kWavHeaderSize = 58;

// Largest sample count a header can declare: the RIFF size field holds
// 2n + 50 in 32 bits.
inline constexpr std::uint64_t kMaxWavSamples = (0xFFFFFFFFULL - 50) / 2;

// The 58-byte header of a 16-bit mono PCM file of `sampleCount` samples:
// RIFF size 2n + 50, an 18-byte format chunk, a fact chunk holding n, and the
// data chunk's size 2n. All fields little-endian.
std::array<unsigned char, kWavHeaderSize> wavHeader(std::uint32_t n, std::int32_t sampleRate);

// Writes a WAV file in one pass: create, placeholder header, sample blocks,
// then the final header at offset 0. A regular file is written beside its
// target and renamed over it at the end, so a failure leaves the previous
// file whole; a device is written in place. Every write is checked; after the first
// failure the writer stays failed, and finish reports that first failure
// with the system's reason.
class WavFileWriter {
public:
    WavFileWriter() = default;
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    // Opens the file for reading and writing. An empty name fails. On
    // failure (CreateFailed) nothing is touched.
    Result<void> create(const std::filesystem::path& path);

    // False once any write has failed.
    bool writeHeader(std::uint32_t sampleCount, std::int32_t sampleRate);
    bool append(std::span<const std::int16_t> samples);

    // Rewrites the header when the final count differs from the one it was
    // written with (a pipe, which cannot seek back, needs the right count
    // from the start) and closes; fails (WriteFailed) when any step since
    // create failed.
    Result<void> finish(std::uint32_t sampleCount, std::int32_t sampleRate);

private:
    bool markFailed();
    void closeQuietly();

    std::FILE* file_ = nullptr;
    std::optional<ReplacementFile> replacement_; // none when writing a device in place
    std::vector<char> buffer_;
    bool failed_ = false;
    std::string reason_;
    std::optional<std::uint32_t> headerCount_;
};

} // namespace brivo
