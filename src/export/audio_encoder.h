#pragma once

#include "common/result.h"
#include "export/export_format.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

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

// Writes 16-bit mono `samples` at `sampleRate` in `format`, then `tags`,
// into the open file `fd` (empty, made for `target`, which messages name):
// WAV with the renderer's header (and no tags), the others through
// libsndfile at the quality's compression level, MP3 at a variable bit rate
// (which decodes to the exact length), tags in UTF-8 (ID3v2.4 for MP3,
// Vorbis comments for FLAC, Ogg and Opus). `written` is told how many
// samples are done now and then; a set `cancel` stops the work
// (Cancelled). Any failed or short write, the encoders' included, fails
// with WriteFailed and the reason in French.
Result<void> encodeTrack(int fd, const std::filesystem::path& target, std::span<const std::int16_t> samples,
                         int sampleRate, ExportFormat format, int quality, const Tags& tags,
                         const std::atomic<bool>* cancel = nullptr,
                         const std::function<void(std::uint64_t written)>& written = {});

} // namespace brivo::exporting
