#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace brivo {

enum class ReferenceWord { Paris = 0, Codex = 1 };

// The seven sound settings as the controls hold them: positions, not
// physical values. The renderer derives the physical values (KeyingValues).
struct KeyingParameters {
    int tonePosition = 99;    // 0..240
    int signalPosition = 140; // 0..200
    int noisePosition = 0;    // 0..200
    int speedPosition = 72;   // 20..200
    ReferenceWord referenceWord = ReferenceWord::Paris;
    int spacingFactor = 1;                  // 1..20; 0 or less writes no character gap
    std::optional<int> sampleRateIndex = 2; // 0..4; none keeps the previous rate
};

inline constexpr std::array<int, 5> kSampleRates = {4000, 8000, 11025, 16000, 22050};
inline constexpr int kDefaultSampleRate = 11025;

// The sample rate of a choice index, or `previous` when no item is chosen
// (or the index is out of range).
int sampleRateForIndex(std::optional<int> index, int previous);

// Physical values of one render.
struct KeyingValues {
    int sampleRate = kDefaultSampleRate; // Fe, Hz
    double toneFrequency = 0;            // f, Hz: 300 + 5 x tone position
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
