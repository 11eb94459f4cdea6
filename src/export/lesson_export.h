#pragma once

#include "audio/message_renderer.h"
#include "common/random_generator.h"
#include "common/result.h"
#include "export/audio_encoder.h"
#include "export/export_format.h"
#include "export/track_cuts.h"
#include "morse/morse_table.h"
#include "reception/reception_conditions.h"
#include "speech/answered_render.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace brivo::exporting {

// An export: the render (its text, sound settings and rate; the rate of an
// export outside the window's list goes in `previousSampleRate` with no
// index), its reception conditions, and where and how it is written.
struct ExportRequest {
    RenderRequest render; // its path is not used
    reception::ReceptionConditions conditions;
    std::filesystem::path target; // NAME.mp3; split tracks are NAME-01.mp3, ...
    ExportFormat format = ExportFormat::Mp3;
    int quality = 5;
    SplitSpec split;
    Tags tags; // split tracks get their number, and the title theirs
    // Spoken answers after each word of the exercise within the rendered
    // text.
    std::optional<speech::AnswerOptions> spokenAnswers;
    speech::AnswerSpan answered;
};

struct ExportedLesson {
    std::vector<std::filesystem::path> tracks;
    std::optional<std::filesystem::path> playlist; // NAME.m3u8 beside split tracks
    std::uint64_t samples = 0;
    int sampleRate = 0;
};

// Told the share of the work done (0 .. 1) now and then, from any thread.
using ExportProgress = std::function<void(double done)>;

// The default comment of an export's tags: "12 mots/mn, 795 Hz", and the
// SNR of the conditions when set ("..., SNR 10 dB").
std::string defaultComment(const KeyingParameters& parameters, int sampleRate,
                           const reception::ReceptionConditions& conditions);

// Lossy encoders overshoot a little at the edges of loud key-downs: the
// gain that brings a render peaking at `peak` down to 1 dB under full scale
// (1 for quieter ones, left as they are).
double headroomGain(int peak);

// The names of the tracks of a split into `count` tracks: NAME-01.ext ...
// (as many digits as the count has, two at least, so that they sort).
std::vector<std::filesystem::path> trackPaths(const std::filesystem::path& target, std::size_t count);

// The files an export to `target` would replace: the target itself, or,
// for a split, its tracks (NAME-01.ext and on, of any earlier split) and
// its playlist.
std::vector<std::filesystem::path> filesReplaced(const std::filesystem::path& target, bool split);

// Renders the request and writes it. An unsplit WAV without answers is the
// plain render itself, byte for byte. Otherwise the render streams, a
// block at a time, into the encoders (memory stays bounded whatever the
// length): its tracks are cut in silences and encoded on all cores, each
// into a temporary file renamed over its name only once every track is
// whole, then tagged; a split writes NAME.m3u8 too, and removes the tracks of an
// earlier, longer split of that name once the new ones are in place. A
// failure or `cancel` leaves no file under the target names (Cancelled when
// cancelled). Refusals (Refused): a rate or format the library cannot
// write, a split larger than the text, a tag or name that is not UTF-8 or
// holds a control character.
Result<ExportedLesson> exportLesson(const ExportRequest& request, const MorseTable& table, RandomGenerator& random,
                                    const ExportProgress& progress = {}, const std::atomic<bool>* cancel = nullptr);

} // namespace brivo::exporting
