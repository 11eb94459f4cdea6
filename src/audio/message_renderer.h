#pragma once

#include "audio/keying_parameters.h"
#include "audio/keying_timeline.h"
#include "common/key_code.h"
#include "common/random_generator.h"
#include "morse/morse_table.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace brivo {

struct RenderRequest {
    std::filesystem::path path;
    KeyedText text; // message form: start characters, edit zone, end characters
    RenderForm form = RenderForm::Message;
    KeyingParameters parameters;
    int previousSampleRate = kDefaultSampleRate; // kept when no rate is chosen
};

enum class RenderStatus {
    Written,      // the file is complete
    TooLong,      // the text would exceed what a WAV header can declare; nothing touched
    CreateFailed, // the file could not be created; nothing written
    WriteFailed,  // a write, the seek or the close failed; the header declares no samples
};

struct RenderOutcome {
    RenderStatus status = RenderStatus::CreateFailed;
    std::string error;  // the system's reason for CreateFailed and WriteFailed
    int sampleRate = 0; // the rate used; the previous one unless the file was created
    std::uint32_t sampleCount = 0;
};

// Called now and then while samples are written, and once at the end.
using RenderProgress = std::function<void(std::uint64_t samplesDone, std::uint64_t samplesTotal)>;

// False when the render would exceed the sample count a WAV header can
// declare (4 GiB of samples).
bool renderFitsInWavFile(const RenderRequest& request, const MorseTable& table);

// Renders `request.text` as Morse audio into a 16-bit mono WAV file, in this
// order: create the file, settle the sample rate, derive the keying values,
// build the element waveforms (the noise draws from `random`), write a
// placeholder header, the blocks of the keying timeline, then the final
// header. Each block is written whole; no sample is synthesized per
// character.
RenderOutcome renderMorseFile(const RenderRequest& request, const MorseTable& table, RandomGenerator& random,
                              const RenderProgress& progress = {});

} // namespace brivo
