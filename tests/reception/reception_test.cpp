#include "audio/message_renderer.h"
#include "common/edit_text.h"
#include "player/wav_reader.h"
#include "reception/atmospherics.h"
#include "reception/bandpass_filter.h"
#include "reception/conditions_text.h"
#include "reception/fading.h"
#include "reception/keyed_marks.h"
#include "reception/keying_envelope.h"
#include "reception/receiver_agc.h"
#include "reception/reception_renderer.h"
#include "reception/speed_ramp.h"
#include "support/built_in_table.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <numeric>

namespace brivo::reception {
namespace {

const auto& table = test::builtInTable;

struct ArrlCase {
    std::string name;
    double characterWpm;
    double effectiveWpm;
    double letterGap;
    double wordGap;
    int unitsPerWord = 50;
};

class Arrl : public testing::TestWithParam<ArrlCase> {};

// Fifteen reference words keyed live last one minute at the effective
// speed, counted in that word (PARIS or CODEX).
TEST_P(Arrl, GapsAndTheMinuteOfTheReferenceWord)
{
    const ArrlCase& c = GetParam();
    const ArrlGaps gaps = arrlGaps(c.characterWpm, c.effectiveWpm, c.unitsPerWord);
    EXPECT_NEAR(gaps.letter, c.letterGap, 5e-4);
    EXPECT_NEAR(gaps.word, c.wordGap, 5e-4);
    std::string text;
    for (int i = 0; i < 15; ++i)
        text += c.unitsPerWord == 50 ? "PARIS " : "CODEX ";
    const double unit = 60 / (c.unitsPerWord * c.characterWpm);
    const KeyedMarks keyed =
        keyedMarks(keyedTextFromUtf8(text), table(), RenderForm::Live, 1, unit, c.effectiveWpm, c.unitsPerWord);
    EXPECT_NEAR(keyed.length, 60.0 * 15 / c.effectiveWpm, 1e-9);
    // From the end of the first letter (four marks: P or C) to the next:
    // one letter gap; from the end of the first word to the second: a word
    // gap.
    const std::size_t perWord = keyed.marks.size() / 15;
    EXPECT_NEAR(keyed.marks[4].start - keyed.marks[3].end, c.letterGap, 5e-4);
    EXPECT_NEAR(keyed.marks[perWord].start - keyed.marks[perWord - 1].end, c.wordGap, 5e-4);
}

INSTANTIATE_TEST_SUITE_P(Speeds, Arrl,
                         testing::Values(ArrlCase{"at25over15", 25, 15, 0.3966, 0.9255},
                                         ArrlCase{"at20over5", 20, 5, 3 * 10.14 / 19, 7 * 10.14 / 19},
                                         ArrlCase{"at18over10", 18, 10, 3 * (1080 - 372.0) / 180 / 19,
                                                  7 * (1080 - 372.0) / 180 / 19},
                                         // t_a = 60 / 15 - 41 x 60 / (60 x 20) = 1.95 s
                                         ArrlCase{"codexAt20over15", 20, 15, 3 * 1.95 / 19, 7 * 1.95 / 19, 60}),
                         test::CaseName{});

// Sample by sample, as the renderer asks it (skipping the flat runs as it
// does), the envelope of key-downs whose ramps overlap gives what a fresh
// envelope asked that one sample gives, and agrees with the formula (the
// larger of each key-down's rise times its fall) within the first sample
// of a rise, which counts from its start. A dot of 10 ms holds the 5 ms
// rise to 4 ms; the peak is full scale.
TEST(Envelope, RunsAndOverlapsAgreeWithTheFormula)
{
    const int rate = 8000;
    const std::vector<Mark> marks = {{0.05, 0.08}, {0.0805, 0.12}, {0.125, 0.2}, {0.3, 0.31}, {0.3102, 0.4}};
    EXPECT_DOUBLE_EQ(heldRise(marks, 0.005), 0.004);
    for (const EnvelopeShape shape :
         {EnvelopeShape::BlackmanHarris, EnvelopeShape::RaisedCosine, EnvelopeShape::Linear, EnvelopeShape::Hard}) {
        KeyingEnvelope envelope(marks, rate, shape, 0.005);
        const double halfRamp = rampLength(shape, heldRise(marks, 0.005)) * rate / 2;
        const auto position = [&](double fromEdge) {
            return halfRamp <= 0 ? (fromEdge >= 0 ? 1.0 : 0.0)
                                 : rampValue(shape, std::clamp((fromEdge + halfRamp) / (2 * halfRamp), 0.0, 1.0));
        };
        int skipped = 0;
        double peak = 0;
        for (std::int64_t n = 0; n < rate / 2;) {
            double expected = 0;
            for (const Mark& mark : marks) {
                const double x = static_cast<double>(n) + 0.5;
                expected = std::max(expected, position(x - std::round(mark.start * rate)) *
                                                  position(std::round(mark.end * rate) - x));
            }
            const double value = envelope.at(n);
            ASSERT_EQ(value, KeyingEnvelope(marks, rate, shape, 0.005).at(n)) << n;
            ASSERT_NEAR(value, expected, 3.0 / 32768) << n;
            peak = std::max(peak, value);
            const std::int64_t next = std::min<std::int64_t>(envelope.steadyUntil(n), rate / 2);
            skipped += static_cast<int>(next - n - 1);
            n = next;
        }
        EXPECT_GT(skipped, rate / 4);
        EXPECT_DOUBLE_EQ(peak, 1.0);
    }
}

struct FilterCase {
    std::string name;
    FilterShape shape;
    double widthHz;
};

class Filter : public testing::TestWithParam<FilterCase> {};

// The band edges where the design puts them, and the ringing of an impulse
// dying away at the rate of the slowest pole.
TEST_P(Filter, BandEdgesAndRinging)
{
    const FilterCase& c = GetParam();
    constexpr int rate = 11025;
    BandpassFilter filter(700, c.widthHz, rate, c.shape);
    const double edge = c.shape == FilterShape::Butterworth ? 1 / std::sqrt(2.0) : std::pow(10.0, -0.5 / 20);
    EXPECT_NEAR(filter.gainAt(700 - c.widthHz / 2), edge, 0.02);
    EXPECT_NEAR(filter.gainAt(700 + c.widthHz / 2), edge, 0.02);
    double top = 0;
    for (double hz = 700 - c.widthHz / 2; hz <= 700 + c.widthHz / 2; hz += 1)
        top = std::max(top, filter.gainAt(hz));
    EXPECT_NEAR(top, 1.0, 0.005);
    EXPECT_LT(filter.gainAt(700 + 2 * c.widthHz), 0.02);

    // The impulse response's envelope, from the peak of each half cycle:
    // from -40 dB to -80 dB it takes ln(100) time constants.
    std::vector<double> response;
    for (int n = 0; n < rate * 2; ++n)
        response.push_back(std::abs(filter.process(n == 0 ? 1.0 : 0.0)));
    const double highest = *std::max_element(response.begin(), response.end());
    const auto lastPeakAbove = [&](double ratio) {
        for (std::size_t n = response.size() - 1; n-- > 1;) {
            if (response[n] >= highest * ratio && response[n] >= response[n - 1] && response[n] >= response[n + 1])
                return static_cast<double>(n) / rate;
        }
        return 0.0;
    };
    const double measured = lastPeakAbove(1e-4) - lastPeakAbove(1e-2);
    EXPECT_NEAR(measured, std::log(100.0) * filter.ringingTimeConstant(), 0.15 * measured);
}

INSTANTIATE_TEST_SUITE_P(Designs, Filter,
                         testing::Values(FilterCase{"butterworth250", FilterShape::Butterworth, 250},
                                         FilterCase{"butterworth1000", FilterShape::Butterworth, 1000},
                                         FilterCase{"chebyshev250", FilterShape::Chebyshev, 250},
                                         FilterCase{"chebyshev500", FilterShape::Chebyshev, 500}),
                         test::CaseName{});

// Without a fixed part the amplitude is Rayleigh's, of mean power 1; a
// fixed part of power K / (K + 1) spreads it less as K grows; the spread
// (twice the standard deviation of the Gaussian Doppler spectrum) sets how
// often it fades.
TEST(Fading, RayleighRicianKAndTheSpreadSetTheRate)
{
    struct Measured {
        double spread; // standard deviation over mean
        double crossingsPerSecond;
        double power;
    };
    const auto measure = [](double spread, double k) {
        BandRandom random(11);
        Fading fading(spread, k, 200, random);
        std::vector<double> amplitude(400'000); // 2,000 s
        for (double& a : amplitude)
            a = std::abs(fading.next());
        std::vector<double> sorted = amplitude;
        std::nth_element(sorted.begin(), sorted.begin() + 200'000, sorted.end());
        const double median = sorted[200'000];
        const double mean = std::accumulate(amplitude.begin(), amplitude.end(), 0.0) / 400'000;
        double spreadOf = 0;
        double power = 0;
        int crossings = 0;
        for (std::size_t i = 0; i < amplitude.size(); ++i) {
            spreadOf += (amplitude[i] - mean) * (amplitude[i] - mean);
            power += amplitude[i] * amplitude[i];
            crossings += i > 0 && (amplitude[i - 1] < median) != (amplitude[i] < median) ? 1 : 0;
        }
        return Measured{std::sqrt(spreadOf / 400'000) / mean, crossings / 2000.0, power / 400'000};
    };
    const Measured slow = measure(0.1, 0);
    const Measured rician = measure(0.1, 10);
    const Measured fast = measure(1.0, 0);
    EXPECT_NEAR(fast.spread, 0.523, 0.03);
    EXPECT_NEAR(fast.power, 1.0, 0.1);
    EXPECT_NEAR(slow.spread, 0.523, 0.08);
    EXPECT_LT(rician.spread, 0.3);
    EXPECT_NEAR(rician.power, 1.0, 0.1); // the fixed part counted in the power, not added to it
    // Crossings of the median, both ways: 2 sqrt(pi) x spread x sqrt(ln 2) / 2 a second (Rice).
    EXPECT_NEAR(fast.crossingsPerSecond, 1.476, 0.15);
    EXPECT_NEAR(slow.crossingsPerSecond, 0.1476, 0.03);
}

// Every key of the conditions line is read back as it was written.
TEST(ConditionsLine, EveryKeyRoundTrips)
{
    const std::vector<std::function<void(ReceptionConditions&)>> setters = {
        [](auto& c) { c.effectiveWpm = 7.5; },
        [](auto& c) { c.shape = EnvelopeShape::Linear; },
        [](auto& c) { c.riseMs = 8; },
        [](auto& c) { c.snrDb = -3.5; },
        [](auto& c) { c.filterHz = 300; },
        [](auto& c) { c.filterShape = FilterShape::Chebyshev; },
        [](auto& c) { c.qsbHz = 0.25; },
        [](auto& c) { c.qsbK = 4; },
        [](auto& c) { c.qrnRate = 12; },
        [](auto& c) { c.crashRate = 0.3; },
        [](auto& c) { c.qrm = 3; },
        [](auto& c) { c.chirpHz = -40; },
        [](auto& c) { c.chirpTauMs = 35; },
        [](auto& c) { c.rampToWpm = 27.5; },
    };
    for (std::size_t i = 0; i < setters.size(); ++i) {
        ReceptionConditions c;
        setters[i](c);
        const std::string text = conditionsText(c);
        EXPECT_NE(text, conditionsText(ReceptionConditions{})) << i;
        EXPECT_EQ(conditionsText(parseConditionsText(text)), text) << i;
    }
}

// The gain control: a 795 Hz tone at `level` times the target, after a
// second of silence, at 11025 Hz. Quiet input passes as it is (the gain is
// at most 1); a loud one is brought to the target before its first peak
// gets through. The soft limit never reaches full scale.
struct AgcCase {
    std::string name;
    double level;
    double highest; // the output's peak, in targets
    double lowest;
};

class Agc : public testing::TestWithParam<AgcCase> {};

TEST_P(Agc, TheGainComesDownAheadOfThePeaksAndNeverAmplifies)
{
    constexpr double kTarget = 10000;
    ReceiverAgc agc(kTarget, 11025);
    double peak = 0;
    for (int i = 0; i < 3 * 11025; ++i) {
        const double in =
            i < 11025 ? 0 : GetParam().level * kTarget * std::sin(2 * std::numbers::pi * 795 * i / 11025.0);
        if (double out = 0; agc.process(in, out))
            peak = std::max(peak, std::abs(out));
    }
    EXPECT_LE(peak / kTarget, GetParam().highest);
    EXPECT_GE(peak / kTarget, GetParam().lowest);
    EXPECT_EQ(softLimit(26000), 26000);
    EXPECT_LT(std::lround(softLimit(1e9)), 32767);
}

INSTANTIATE_TEST_SUITE_P(, Agc,
                         testing::Values(AgcCase{"quietInputKept", 0.1, 0.101, 0.099},
                                         AgcCase{"loudInputBroughtDown", 4, 1.05, 0.5}),
                         test::CaseName{});

TEST(Atmospherics, ImpulsesComeAtTheirRate)
{
    BandRandom random(3);
    Atmospherics qrn(50, 0, 1000, 8000, random);
    for (int i = 0; i < 8000 * 100; ++i)
        (void)qrn.next();
    EXPECT_NEAR(static_cast<double>(qrn.impulses()), 5000, 300); // 4 standard deviations
}

class Render : public testing::Test {
protected:
    std::vector<std::int16_t> render(const std::string& text, const ReceptionConditions& conditions, std::uint64_t seed,
                                     const KeyingParameters& parameters = {}, RenderForm form = RenderForm::Message)
    {
        const RenderRequest request{dir_ / "Morse.WAV", keyedTextFromUtf8(text), form, parameters};
        RandomGenerator random(seed);
        EXPECT_TRUE(renderWithConditions(request, table(), conditions, random));
        return readWav(test::readBytes(request.path))->samples;
    }

    test::TempDir dir_;
};

// A positive chirp starts above the tone, a negative one below: the
// frequency just after the key-down's rise, from zero crossings.
TEST_F(Render, ChirpGoesTheWayOfItsSign)
{
    for (const double chirp : {60.0, -60.0}) {
        ReceptionConditions c;
        c.chirpHz = chirp;
        const std::vector<std::int16_t> samples = render("T", c, 1, {.sampleRateIndex = 4}); // 22050 Hz
        const auto first = static_cast<std::size_t>(
            std::find_if(samples.begin(), samples.end(), [](std::int16_t s) { return std::abs(s) > 8000; }) -
            samples.begin());
        const auto frequencyOver = [&](std::size_t from, std::size_t length) {
            int crossings = 0;
            for (std::size_t i = from; i < from + length; ++i)
                crossings += samples[i] < 0 && samples[i + 1] >= 0 ? 1 : 0;
            return crossings * 22050.0 / static_cast<double>(length);
        };
        const double early = frequencyOver(first, 441);       // 20 ms
        const double late = frequencyOver(first + 4410, 441); // 200 ms on: settled
        EXPECT_NEAR(late, 795, 50);
        EXPECT_GT((early - late) * chirp, 0) << chirp;
    }
}

// The SNR over 500 Hz, measured as the key-down power above the noise
// against the noise in 500 Hz, from long dashes and the silences between.
TEST_F(Render, SnrMeasuredOnTheRenderedNoise)
{
    for (const double snr : {0.0, 10.0, 25.0}) {
        ReceptionConditions conditions;
        conditions.snrDb = snr;
        // Thirty dashes: long enough for the estimate to settle.
        const std::string dashes(30, 'T');
        const auto samples = render(dashes, conditions, 11, {.speedPosition = 20});
        const KeyedMarks keyed = keyedMarks(keyedTextFromUtf8(dashes), table(), RenderForm::Message, 1,
                                            deriveKeyingValues({.speedPosition = 20}, 11025).unitDuration, {});
        double keyPower = 0;
        double gapPower = 0;
        double keyCount = 0;
        double gapCount = 0;
        for (std::size_t i = 0; i + 1 < keyed.marks.size(); ++i) {
            const auto power = [&](double from, double to, double& total, double& count) {
                for (auto n = static_cast<std::size_t>(from * 11025); n < static_cast<std::size_t>(to * 11025); ++n) {
                    total += static_cast<double>(samples[n]) * samples[n];
                    ++count;
                }
            };
            power(keyed.marks[i].start + 0.05, keyed.marks[i].end - 0.05, keyPower, keyCount);
            power(keyed.marks[i].end + 0.05, keyed.marks[i + 1].start - 0.05, gapPower, gapCount);
        }
        const double noise = gapPower / gapCount;
        const double carrier = keyPower / keyCount - noise;
        EXPECT_NEAR(10 * std::log10(carrier / (noise * 1000 / 11025)), snr, 0.5) << snr << " dB";
    }
}

// With only the keying envelope, the carrier keeps the plain level at
// every position of the Signal slider (the gain control stays out).
TEST_F(Render, EnvelopeAloneKeepsTheSignalLevel)
{
    ReceptionConditions envelopeOnly;
    envelopeOnly.riseMs = 5;
    for (const int position : {50, 100, 140, 200}) {
        const auto samples = render("T", envelopeOnly, 1, {.signalPosition = position});
        EXPECT_NEAR(*std::max_element(samples.begin(), samples.end()), 120 * position, 2) << position;
    }
}

// Other stations and static crashes are heard in our silence: ten blanks
// before one "E", where a render without them is exactly silent.
TEST_F(Render, OtherStationsAndCrashesFillOurSilence)
{
    ReceptionConditions stations;
    stations.qrm = 2;
    ReceptionConditions crashes;
    crashes.crashRate = 1;
    for (const ReceptionConditions& c : {stations, crashes}) {
        const auto samples = render("          E", c, 4, {.speedPosition = 20});
        const auto silence = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() * 8 / 10);
        EXPECT_GT(*std::max_element(samples.begin(), silence), 1000) << c.qrm;
    }
}

// Half a minute of keying under each preset, and under five other stations
// with crashes: the gain control and the soft limit leave no sample stuck
// at full scale.
TEST_F(Render, NoPresetClips)
{
    std::vector<ReceptionConditions> cases;
    for (int preset = 0; preset < kPresetCount; ++preset)
        cases.push_back(presetConditions(preset));
    ReceptionConditions crowded;
    crowded.qrm = 5;
    crowded.crashRate = 1;
    cases.push_back(crowded);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto samples = render("CQ CQ DE F6ABC F6ABC K CQ CQ DE F6ABC F6ABC K", cases[i], 3 + i);
        const auto stuck =
            std::count_if(samples.begin(), samples.end(), [](std::int16_t s) { return s >= 32767 || s <= -32767; });
        EXPECT_LT(static_cast<double>(stuck), 1e-4 * static_cast<double>(samples.size())) << "case " << i;
        const auto peak = std::max_element(samples.begin(), samples.end());
        EXPECT_GT(*peak, 4000) << "case " << i << " is still heard";
    }
}

// Off, the conditions give the plain render, message or live.
TEST_F(Render, SeedGivesTheSameFileAndOffGivesThePlainOne)
{
    ReceptionConditions everything;
    everything.effectiveWpm = 8;
    everything.snrDb = 6;
    everything.filterHz = 300;
    everything.qsbHz = 0.5;
    everything.qrnRate = 20;
    everything.crashRate = 0.5;
    everything.qrm = 2;
    everything.chirpHz = 40;
    const auto first = render("CQ DE F6ABC", everything, 99);
    EXPECT_EQ(render("CQ DE F6ABC", everything, 99), first);
    EXPECT_NE(render("CQ DE F6ABC", everything, 100), first);

    for (const RenderForm form : {RenderForm::Message, RenderForm::Live}) {
        const RenderRequest request{dir_ / "plain.wav", keyedTextFromUtf8("CQ DE F6ABC"), form, {}};
        RandomGenerator random(5);
        ASSERT_TRUE(renderMorseFile(request, table(), random));
        EXPECT_EQ(render("CQ DE F6ABC", {}, 5, {}, form), readWav(test::readBytes(request.path))->samples);
    }
}

struct RampCase {
    std::string name;
    int speedPosition; // six times the start speed in words per minute
    double toWpm;
    std::optional<double> effectiveWpm;
};

class Ramp : public Render, public testing::WithParamInterface<RampCase> {};

// Every key-down and every silence of the ramped render lasts its units at
// the speed where it starts on the plain timeline (read here from the plain
// marks counted in units), to the sample; the file holds their sum.
TEST_P(Ramp, EachPartAtTheSpeedOfItsStartAndTheFileTheirSum)
{
    const RampCase& c = GetParam();
    const std::string text = "CQ CQ DE F6ABC PARIS 73";
    constexpr int rate = 11025;
    const KeyingParameters parameters{.speedPosition = c.speedPosition};
    ReceptionConditions conditions;
    conditions.rampToWpm = c.toWpm;
    conditions.effectiveWpm = c.effectiveWpm;
    const double fromWpm = c.speedPosition / 6.0;
    const double unit = 60 / (50 * fromWpm);
    const double gapUnit = c.effectiveWpm ? arrlGaps(fromWpm, *c.effectiveWpm).letter / 3 : unit;

    const KeyedMarks plain = keyedMarks(keyedTextFromUtf8(text), table(), RenderForm::Message, 1, 1, std::nullopt);
    const auto totalUnits = static_cast<std::uint64_t>(std::llround(plain.length));
    const auto partSamples = [&](double startUnit, double units, double length) {
        const double wpm = fromWpm + (c.toWpm - fromWpm) * startUnit / static_cast<double>(totalUnits);
        return std::llround(units * length * (fromWpm / wpm) * rate);
    };
    long long expected = partSamples(0, 2, unit);
    double unitAt = 2;
    std::vector<long long> expectedMarks;
    for (const Mark& mark : plain.marks) {
        if (const double gap = mark.start - unitAt; gap > 0)
            expected += partSamples(unitAt, gap, gap >= 3 ? gapUnit : unit);
        expectedMarks.push_back(partSamples(mark.start, mark.end - mark.start, unit));
        expected += expectedMarks.back();
        unitAt = mark.end;
    }
    const double lastGap = plain.length - 2 - unitAt;
    expected += partSamples(unitAt, lastGap, gapUnit) + partSamples(unitAt + lastGap, 2, unit); // then the framing

    const KeyedMarks ramped = rampedMarks(keyedTextFromUtf8(text), table(), RenderForm::Message, 1, unit,
                                          c.effectiveWpm, 50, {c.toWpm, rate});
    ASSERT_EQ(ramped.marks.size(), expectedMarks.size());
    for (const std::size_t i : {std::size_t{0}, expectedMarks.size() / 2, expectedMarks.size() - 1}) {
        EXPECT_EQ(std::llround((ramped.marks[i].end - ramped.marks[i].start) * rate), expectedMarks[i]) << i;
    }
    EXPECT_EQ(std::llround(ramped.length * rate), expected);
    EXPECT_EQ(render(text, conditions, 1, parameters).size(), static_cast<std::size_t>(expected));
    // The last dash of "73" is keyed at nearly the end speed.
    EXPECT_NEAR((ramped.marks.back().end - ramped.marks.back().start) / 3 * c.toWpm, 60.0 / 50, 0.04 * 60 / 50);
}

INSTANTIATE_TEST_SUITE_P(Speeds, Ramp,
                         testing::Values(RampCase{"up12to25", 72, 25, std::nullopt},
                                         RampCase{"down20to10", 120, 10, std::nullopt},
                                         RampCase{"effectiveInProportion", 90, 30, 8}),
                         test::CaseName{});

struct OnsetCase {
    std::string name;
    EnvelopeShape shape;
    double riseMs;
};

class LiveOnset : public Render, public testing::WithParamInterface<OnsetCase> {};

// A live "E" at 22050 Hz: the key recovered from the samples by dividing out
// the carrier (phase 0 at the first sample), where the carrier is not near a
// zero, and interpolated between those samples.
TEST_P(LiveOnset, FirstRampIsWholeAndTheDotKeepsItsLength)
{
    const OnsetCase& c = GetParam();
    constexpr double rate = 22050;
    ReceptionConditions conditions;
    conditions.shape = c.shape;
    conditions.riseMs = c.riseMs;
    const auto samples = render("E", conditions, 1, {.sampleRateIndex = 4}, RenderForm::Live);
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(samples[0], 0);

    const double hz = sound::toneHz(sound::kTone.initial);
    std::vector<std::pair<double, double>> key; // sample, key level before scaling
    double plateau = 0;
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const double carrier = std::cos(2 * std::numbers::pi * hz * static_cast<double>(n) / rate);
        if (std::abs(carrier) < 0.5)
            continue;
        key.emplace_back(static_cast<double>(n), samples[n] / carrier);
        plateau = std::max(plateau, samples[n] / carrier);
    }
    const auto crossing = [&](double level, bool rising) {
        const double threshold = level * plateau;
        for (std::size_t i = 1; i < key.size(); ++i) {
            const auto [n0, a0] = key[i - 1];
            const auto [n1, a1] = key[i];
            if (rising ? (a0 < threshold && a1 >= threshold) : (a0 >= threshold && a1 < threshold))
                return n0 + (threshold - a0) / (a1 - a0) * (n1 - n0);
        }
        return -1.0;
    };
    const double rise = (crossing(0.9, true) - crossing(0.1, true)) / rate;
    EXPECT_NEAR(rise * 1000, c.shape == EnvelopeShape::Hard ? 0.0 : c.riseMs, 0.1);
    const double unit = deriveKeyingValues({}, 22050).unitDuration;
    EXPECT_NEAR(crossing(0.5, false) - crossing(0.5, true), unit * rate, 1.0);
}

INSTANTIATE_TEST_SUITE_P(ShapesAndRises, LiveOnset,
                         testing::Values(OnsetCase{"blackmanHarris10", EnvelopeShape::BlackmanHarris, 10},
                                         OnsetCase{"raisedCosine2", EnvelopeShape::RaisedCosine, 2},
                                         OnsetCase{"linear5", EnvelopeShape::Linear, 5},
                                         OnsetCase{"hard", EnvelopeShape::Hard, 5}),
                         test::CaseName{});

} // namespace
} // namespace brivo::reception
