#pragma once

#include "common/control_range.h"

#include <array>
#include <cstdint>
#include <optional>

namespace brivo {

// The ranges and first-start positions of the sound controls, shared by the
// window, brivo-render and the settings store.
namespace sound {
inline constexpr ControlRange kTone{0, 240, 99};    // 300 + 5 x position Hz
inline constexpr ControlRange kSignal{0, 200, 140}; // amplitude 120 x position
inline constexpr ControlRange kNoise{0, 200, 0};    // noise values 0 .. 40 x position - 1
inline constexpr ControlRange kSpeed{20, 200, 72};  // 10 x position letters per minute
inline constexpr ControlRange kSpacing{1, 20, 1};   // the character gap is 2 x factor units

// The sample rates the rate list offers, in its order.
inline constexpr std::array<int, 5> kSampleRates = {4000, 8000, 11025, 16000, 22050};
inline constexpr int kInitialRateIndex = 2;

constexpr int toneHz(int position)
{
    return 300 + 5 * position;
}
} // namespace sound

inline constexpr int kDefaultSampleRate = sound::kSampleRates[sound::kInitialRateIndex];

enum class ReferenceWord { Paris = 0, Codex = 1 };

// The seven sound settings as the controls hold them: positions, not
// physical values. The renderer derives the physical values (KeyingValues).
struct KeyingParameters {
    int tonePosition = sound::kTone.initial;
    int signalPosition = sound::kSignal.initial;
    int noisePosition = sound::kNoise.initial;
    int speedPosition = sound::kSpeed.initial;
    ReferenceWord referenceWord = ReferenceWord::Paris;
    int spacingFactor = sound::kSpacing.initial;                   // 0 or less writes no character gap
    std::optional<int> sampleRateIndex = sound::kInitialRateIndex; // none keeps the previous rate
};

// The sample rate of a choice index, or `previous` when no item is chosen
// (or the index is out of range).
int sampleRateForIndex(std::optional<int> index, int previous);

// Physical values of one render.
struct KeyingValues {
    int sampleRate = kDefaultSampleRate; // Fe, Hz
    double toneFrequency = 0;            // f, Hz: sound::toneHz(tone position)
    int unitsPerWord = 50;               // 50 for PARIS, 60 for CODEX
    double unitDuration = 0;             // seconds: 3600 / (10 x speed x units per word)
    std::int32_t samplesPerUnit = 0;     // N: Fe x unit duration, truncated (see .cpp)
    std::int16_t toneAmplitude = 0;      // a: 120 x signal position
    std::int32_t noiseSpan = 0;          // s: 40 x noise position; noise values are 0 .. s-1
    std::int32_t fadeLength = 0;         // R: Fe / 600 (integer division)
};

KeyingValues deriveKeyingValues(const KeyingParameters& parameters, int sampleRate);

// N for a sample rate and a unit duration. The product is formed in extended
// precision (64-bit mantissa) before truncation, so where the unit duration
// lies just below the true quotient the result is one less than the exact
// figure: 4000 Hz at speed 20 with PARIS gives 1439, not 1440.
std::int32_t samplesPerUnit(int sampleRate, double unitDuration);

} // namespace brivo
