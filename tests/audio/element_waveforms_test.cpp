#include "audio/element_waveforms.h"
#include "audio/keying_parameters.h"

#include <algorithm>
#include <cmath>
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
    const KeyingValues v = deriveKeyingValues(p, kSampleRates[static_cast<std::size_t>(rateIndex)]);
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

TEST(ElementWaveforms, NoSignalAndNoNoiseIsSilent)
{
    RandomGenerator random(1);
    const auto waves = buildElementWaveforms(inputsFor(0, 0), random);
    EXPECT_TRUE(allZero(waves.dash));
    EXPECT_TRUE(allZero(waves.dot));
    EXPECT_TRUE(allZero(waves.gap));
}

TEST(ElementWaveforms, FadeScalesTheLastSamplesDownToOneOverR)
{
    const WaveformInputs in = inputsFor(140, 0); // 11025 Hz: R = 18
    ASSERT_EQ(in.fadeLength, 18);
    RandomGenerator random(1);
    const auto waves = buildElementWaveforms(in, random);
    const std::size_t n = 1102;
    const double omega = 6.2831853071796 * in.toneFrequency / in.sampleRate;
    const auto unfaded = [&](std::size_t i) {
        return static_cast<std::int16_t>(std::sin(static_cast<double>(i) * omega) * in.toneAmplitude);
    };
    EXPECT_EQ(waves.dash[3 * n - 18], unfaded(3 * n - 18));
    EXPECT_EQ(waves.dash[3 * n - 1], static_cast<std::int16_t>(unfaded(3 * n - 1) * (1.0 / 18)));
    EXPECT_EQ(waves.dash[3 * n - 9], static_cast<std::int16_t>(unfaded(3 * n - 9) * (9.0 / 18)));
    EXPECT_EQ(waves.dot[n - 1], static_cast<std::int16_t>(unfaded(n - 1) * (1.0 / 18)));
}

TEST(ElementWaveforms, DotIsTheDashStartFadedAtItsOwnEnd)
{
    RandomGenerator random(3);
    const WaveformInputs in = inputsFor(140, 50);
    const auto waves = buildElementWaveforms(in, random);
    const std::size_t n = waves.dot.size();
    const auto r = static_cast<std::size_t>(in.fadeLength);
    for (std::size_t i = 0; i < n - r + 1; ++i)
        ASSERT_EQ(waves.dot[i], waves.dash[i]) << i;
    int faded = 0;
    for (std::size_t i = n - r + 1; i < n; ++i)
        faded += waves.dot[i] != waves.dash[i] ? 1 : 0;
    EXPECT_GT(faded, 0);
}

TEST(ElementWaveforms, NoiseOnlyElementsAreFadedToo)
{
    RandomGenerator random(5);
    const WaveformInputs in = inputsFor(0, 200);
    const auto waves = buildElementWaveforms(in, random);
    const std::size_t n = waves.dot.size();
    // Noise lies in 0..7999; the last sample is at most a 1/R share of it.
    EXPECT_LE(waves.dot[n - 1], 7999 / in.fadeLength);
    EXPECT_LE(waves.dash[3 * n - 1], 7999 / in.fadeLength);
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
