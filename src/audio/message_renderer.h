#pragma once

#include "audio/keying_parameters.h"
#include "audio/keying_timeline.h"
#include "common/key_code.h"
#include "common/random_generator.h"
#include "common/result.h"
#include "morse/morse_table.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace brivo {

// Characters the start and end boxes hold, sent before and after the text.
inline constexpr int kEndCharactersMax = 5;

struct RenderRequest {
    std::filesystem::path path;
    KeyedText text; // message form: start characters, edit zone, end characters
    RenderForm form = RenderForm::Message;
    KeyingParameters parameters;
    int previousSampleRate = kDefaultSampleRate; // kept when no rate is chosen
};

// A completed file.
struct RenderedFile {
    int sampleRate = 0;
    std::uint32_t sampleCount = 0;
};

// Called now and then while samples are written, and once at the end.
using RenderProgress = std::function<void(std::uint64_t samplesDone, std::uint64_t samplesTotal)>;

// Takes the render's samples a block at a time, in order; false stops the
// render there.
using SampleSink = std::function<bool(std::span<const std::int16_t> block)>;

// A key-up opened in a render: `length` samples more of silence at sample
// `at` of the render without openings (which lies in a silence). The
// keying after it comes that much later.
struct Opening {
    std::uint64_t at = 0;
    std::uint64_t length = 0;
};
using Openings = std::vector<Opening>; // in order of `at`

// False when the render would exceed the sample count a WAV header can
// declare (4 GiB of samples).
bool renderFitsInWavFile(const RenderRequest& request, const MorseTable& table);

// The sample rate a render of `request` settles: the chosen one, or the
// previous one when none is chosen.
int renderSampleRate(const RenderRequest& request);

// Renders `request.text` as Morse audio into a 16-bit mono WAV file, in this
// order: create the file, settle the sample rate, derive the keying values,
// build the element waveforms (the noise draws from `random`), write a
// placeholder header, the blocks of the keying timeline, then the final
// header. Each block is written whole; no sample is synthesized per
// character.
// Fails with TooLong (nothing touched), CreateFailed (nothing written; the
// sample rate is not settled) or WriteFailed (the rate is settled, and the
// header declares no samples); the message is the system's reason.
Result<RenderedFile> renderMorseFile(const RenderRequest& request, const MorseTable& table, RandomGenerator& random,
                                     const RenderProgress& progress = {});

// The same samples as renderMorseFile, given to `sink` instead of a file
// (`request.path` is not used), with digital silence at each opening.
// Fails with TooLong only; the sample count is what the sink took.
Result<RenderedFile> renderMorseSamples(const RenderRequest& request, const MorseTable& table, RandomGenerator& random,
                                        const SampleSink& sink, const RenderProgress& progress = {},
                                        const Openings& openings = {});

// The file form of a sample render: `render` gives its samples to the sink
// it is handed; they go into a WAV file at `path` whose header declares
// `total` samples at `sampleRate`, replaced whole or not at all, with
// WavFileWriter's errors. `progress` ends with the total once the file is
// complete.
using SampleRender = std::function<Result<RenderedFile>(const SampleSink& sink, const RenderProgress& progress)>;
Result<RenderedFile> writeRenderedFile(const std::filesystem::path& path, int sampleRate, std::uint64_t total,
                                       const SampleRender& render, const RenderProgress& progress);

// The sample count of the plain render of `request`.
std::uint64_t renderedSampleCount(const RenderRequest& request, const MorseTable& table);

} // namespace brivo
