#include "audio/element_waveforms.h"

#include <cmath>

namespace brivo {
namespace {

constexpr double kFullCircle = 6.2831853071796;

std::int16_t truncateToSample(double value)
{
    return static_cast<std::int16_t>(static_cast<std::int32_t>(value));
}

std::int32_t noiseSample(std::int32_t span, RandomGenerator& random)
{
    return span > 0 ? static_cast<std::int32_t>(random.below(static_cast<std::uint32_t>(span))) : 0;
}

// Scales the last R samples of `wave` down linearly: the sample R places from
// the end keeps its value, the last one is scaled by 1/R. Steps k above one
// unit (N) are skipped, for the dash as for the dot.
void fadeOut(std::vector<std::int16_t>& wave, std::int32_t fadeLength, std::int32_t unit)
{
    const auto length = static_cast<std::int64_t>(wave.size());
    for (std::int32_t k = fadeLength; k >= 1; --k) {
        if (k > unit)
            continue;
        const double factor = static_cast<double>(k) / fadeLength;
        auto& sample = wave[static_cast<std::size_t>(length - k)];
        sample = truncateToSample(sample * factor);
    }
}

} // namespace

ElementWaveforms buildElementWaveforms(const WaveformInputs& in, RandomGenerator& random)
{
    const auto unit = static_cast<std::size_t>(in.samplesPerUnit);
    const double omega = kFullCircle * in.toneFrequency / in.sampleRate;

    ElementWaveforms waves;
    waves.dash.resize(3 * unit);
    for (std::size_t i = 0; i < waves.dash.size(); ++i) {
        const double angle = static_cast<double>(i) * omega;
        const double tone = std::sin(angle) * in.toneAmplitude;
        const std::int32_t noise = noiseSample(in.noiseSpan, random);
        waves.dash[i] = truncateToSample(noise + tone);
    }
    waves.dot.assign(waves.dash.begin(), waves.dash.begin() + static_cast<std::ptrdiff_t>(unit));

    // Both fades run for k = R down to 1 in the same loop order; the two
    // arrays are independent, so fading one after the other is equivalent.
    fadeOut(waves.dot, in.fadeLength, in.samplesPerUnit);
    fadeOut(waves.dash, in.fadeLength, in.samplesPerUnit);

    waves.gap.resize(unit);
    for (auto& sample : waves.gap)
        sample = static_cast<std::int16_t>(noiseSample(in.noiseSpan, random));
    if (!waves.gap.empty())
        waves.gap.back() = 0;
    return waves;
}

} // namespace brivo
