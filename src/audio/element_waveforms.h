#pragma once

#include "common/random_generator.h"

#include <cstdint>
#include <vector>

namespace brivo {

// The three blocks every render is made of, built once per render.
struct ElementWaveforms {
    std::vector<std::int16_t> dash; // 3N samples: tone plus noise, faded out at its end
    std::vector<std::int16_t> dot;  // N samples: the dash's first N, faded out at its own end
    std::vector<std::int16_t> gap;  // N samples: noise only, last sample 0
};

struct WaveformInputs {
    std::int32_t samplesPerUnit = 0; // N, 1 or more
    double toneFrequency = 0;        // f, Hz
    std::int32_t sampleRate = 0;     // Fe, Hz
    std::int16_t toneAmplitude = 0;  // a, 0..24000
    std::int32_t noiseSpan = 0;      // s; noise is drawn only when s > 0
    std::int32_t fadeLength = 0;     // R, Fe / 600
};

// Builds the blocks. Draws 3N numbers for the dash, one per sample in sample
// order, then N for the gap, all modulo s; draws nothing when s is 0.
// Every sample is truncated toward zero and nothing is clipped: samples lie
// in -24000 .. 31999.
ElementWaveforms buildElementWaveforms(const WaveformInputs& inputs, RandomGenerator& random);

} // namespace brivo
