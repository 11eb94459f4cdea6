#include "audio/element_waveforms.h"
#include "audio/keying_parameters.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace brivo {
namespace {

WaveformInputs inputsFor(int signal, int noise, int rateIndex = 2, int tone = 99, int speed = 72)
{
    KeyingParameters p;
    p.signalPosition = signal;
    p.noisePosition = noise;
    p.tonePosition = tone;
    p.speedPosition = speed;
    const KeyingValues v = deriveKeyingValues(p, sound::kSampleRates[static_cast<std::size_t>(rateIndex)]);
    return {v.samplesPerUnit, v.toneFrequency, v.sampleRate, v.toneAmplitude, v.noiseSpan, v.fadeLength};
}

bool allZero(const std::vector<std::int16_t>& wave)
{
    return std::all_of(wave.begin(), wave.end(), [](std::int16_t s) { return s == 0; });
}

TEST(ElementWaveforms, WithoutNoiseTheGeneratorIsUntouchedAndSilenceIsZero)
{
    RandomGenerator random(7);
    const auto waves = buildElementWaveforms(inputsFor(140, 0), random);
    EXPECT_EQ(random.state(), 7U);
    EXPECT_EQ(waves.dash[0], 0);
    EXPECT_EQ(waves.dot[0], 0);
    EXPECT_TRUE(allZero(waves.gap));
}

struct RangeCase {
    int signal;
    int noise;
    int rateIndex;
    int tone;
};

class ElementWaveformRange : public testing::TestWithParam<RangeCase> {};

TEST_P(ElementWaveformRange, SamplesStayWithinToneAndNoiseBoundsAndGapEndsAtZero)
{
    const auto [signal, noise, rateIndex, tone] = GetParam();
    RandomGenerator random(11);
    const WaveformInputs in = inputsFor(signal, noise, rateIndex, tone, 20);
    const auto waves = buildElementWaveforms(in, random);
    const int low = -in.toneAmplitude;
    const int high = in.toneAmplitude + std::max(0, in.noiseSpan - 1);
    for (const auto* wave : {&waves.dash, &waves.dot, &waves.gap}) {
        const auto [min, max] = std::minmax_element(wave->begin(), wave->end());
        EXPECT_GE(*min, low);
        EXPECT_LE(*max, high);
    }
    EXPECT_EQ(waves.gap.back(), 0);
    EXPECT_GE(*std::min_element(waves.gap.begin(), waves.gap.end()), 0);
}

INSTANTIATE_TEST_SUITE_P(, ElementWaveformRange,
                         testing::Values(RangeCase{200, 200, 4, 240}, RangeCase{200, 200, 0, 0},
                                         RangeCase{200, 0, 2, 99}, RangeCase{0, 200, 1, 120},
                                         RangeCase{141, 1, 3, 17}));

} // namespace
} // namespace brivo
