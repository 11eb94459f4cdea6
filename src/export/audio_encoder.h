#pragma once

#include "common/result.h"
#include "export/descriptor_io.h"
#include "export/export_format.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brivo::exporting {

// The tags of a track, UTF-8. Empty ones are not written.
struct Tags {
    std::string title;
    std::string artist;
    std::string album;
    std::string comment;
    int track = 0; // 0: none
    int trackCount = 0;
};

// Why libsndfile cannot write `format` at `sampleRate` here (French), or
// nothing; checked with sf_format_check after the rate rules.
std::optional<std::string> formatUnavailable(ExportFormat format, int sampleRate);

// One track's encoder into the open file `fd` (empty, made for `target`,
// which messages name), fed a block at a time: WAV with the renderer's
// header (and no tags), MP3 through LAME at a variable bit rate with its
// LAME tag (so that it decodes to the exact length), the others through
// libsndfile at the quality's compression level; tags in UTF-8 (ID3v2.4 for MP3, Vorbis comments for FLAC,
// Ogg and Opus). Any failed or short write, the encoders' included, fails
// with WriteFailed and the reason in French.
class TrackEncoder {
public:
    // `sampleCount` is the track's length (the WAV header gives it first).
    static Result<std::unique_ptr<TrackEncoder>> start(int fd, const std::filesystem::path& target, int sampleRate,
                                                       ExportFormat format, int quality, std::uint64_t sampleCount);
    TrackEncoder(const TrackEncoder&) = delete;
    TrackEncoder& operator=(const TrackEncoder&) = delete;
    ~TrackEncoder();

    Result<void> write(std::span<const std::int16_t> samples);
    // Writes the encoder's last frames, then the tags.
    Result<void> finish(const Tags& tags);

private:
    TrackEncoder(int fd, std::filesystem::path target, ExportFormat format);
    Result<void> failed() const;

    Result<void> flushBytes();

    DescriptorIo io_;
    std::filesystem::path target_;
    ExportFormat format_;
    SNDFILE* file_ = nullptr;                // FLAC, Ogg Vorbis, Opus
    std::unique_ptr<struct Mp3Encoder> mp3_; // MP3
    std::vector<unsigned char> bytes_;       // not yet written
};

// The whole of `samples` through a TrackEncoder; a set `cancel` stops the
// work (Cancelled).
Result<void> encodeTrack(int fd, const std::filesystem::path& target, std::span<const std::int16_t> samples,
                         int sampleRate, ExportFormat format, int quality, const Tags& tags,
                         const std::atomic<bool>* cancel = nullptr);

} // namespace brivo::exporting
