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

} // namespace brivo
