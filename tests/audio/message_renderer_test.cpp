#include "audio/keying_parameters.h"
#include "audio/message_renderer.h"
#include "audio/wav_file_writer.h"
#include "common/edit_text.h"
#include "common/messages.h"
#include "support/built_in_table.h"
#include "support/case_name.h"
#include "support/file_size_limit.h"
#include "support/little_endian.h"
#include "support/temp_dir.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace brivo {
namespace {

const auto& defaultTable = test::builtInTable;

constexpr auto P = ReferenceWord::Paris;
constexpr auto C = ReferenceWord::Codex;

struct UnitCase {
    int rateIndex;
    int speed;
    ReferenceWord word;
    std::int32_t samplesPerUnit;
};

class SamplesPerUnit : public testing::TestWithParam<UnitCase> {};

TEST_P(SamplesPerUnit, TruncatesTheExtendedPrecisionProduct)
{
    KeyingParameters parameters;
    parameters.sampleRateIndex = GetParam().rateIndex;
    parameters.speedPosition = GetParam().speed;
    parameters.referenceWord = GetParam().word;
    const int rate = sampleRateForIndex(parameters.sampleRateIndex, 0);
    EXPECT_EQ(deriveKeyingValues(parameters, rate).samplesPerUnit, GetParam().samplesPerUnit);
}

INSTANTIATE_TEST_SUITE_P(WorkedTable, SamplesPerUnit,
                         testing::Values(UnitCase{0, 72, P, 400}, UnitCase{0, 72, C, 333}, UnitCase{0, 20, P, 1439},
                                         UnitCase{0, 200, C, 119}, UnitCase{1, 72, P, 800}, UnitCase{1, 72, C, 666},
                                         UnitCase{1, 20, P, 2879}, UnitCase{1, 200, C, 239}, UnitCase{2, 72, P, 1102},
                                         UnitCase{2, 72, C, 918}, UnitCase{2, 20, P, 3968}, UnitCase{2, 200, C, 330},
                                         UnitCase{3, 72, P, 1600}, UnitCase{3, 72, C, 1333}, UnitCase{3, 20, P, 5759},
                                         UnitCase{3, 200, C, 479}, UnitCase{4, 72, P, 2205}, UnitCase{4, 72, C, 1837},
                                         UnitCase{4, 20, P, 7937}, UnitCase{4, 200, C, 661}));

// A second, deliberately plain rendering of the same rules: every element is
// synthesized where it occurs, from the formulas, so block reuse, draw order,
// timeline and header are all checked against an independent writing.
std::string referenceFile(const std::string& utf8, RenderForm form, const KeyingParameters& p, RandomGenerator& random)
{
    const int rate = sound::kSampleRates[static_cast<std::size_t>(*p.sampleRateIndex)];
    const int unitsPerWord = p.referenceWord == ReferenceWord::Paris ? 50 : 60;
    const double unitDuration = 3600.0 / (10.0 * p.speedPosition * unitsPerWord);
    const auto n = static_cast<int>(static_cast<long double>(rate) * unitDuration);
    const double omega = 6.2831853071796 * (300.0 + 5.0 * p.tonePosition) / rate;
    const int amplitude = 120 * p.signalPosition;
    const int span = 40 * p.noisePosition;
    const int fade = rate / 600;

    std::vector<int> noise(static_cast<std::size_t>(4 * n), 0); // drawn only when there is noise
    if (span > 0) {
        for (auto& value : noise)
            value = static_cast<int>(random.next() % static_cast<std::uint32_t>(span));
    }
    const auto tone = [&](int length, int i) {
        double value = std::trunc(noise[static_cast<std::size_t>(i)] + std::sin(i * omega) * amplitude);
        const int fromEnd = length - i;
        if (fromEnd <= fade)
            value = std::trunc(static_cast<double>(static_cast<std::int16_t>(value)) * (double(fromEnd) / fade));
        return static_cast<std::int16_t>(value);
    };

    std::vector<std::int16_t> samples;
    const auto silentUnits = [&](int units) {
        for (int u = 0; u < units; ++u) {
            for (int i = 0; i < n; ++i)
                samples.push_back(i == n - 1 ? 0
                                             : static_cast<std::int16_t>(noise[static_cast<std::size_t>(3 * n + i)]));
        }
    };
    const int leadIn = form == RenderForm::Message ? 2 : 0;
    silentUnits(leadIn);
    for (const KeyCode code : keyedTextFromUtf8(utf8)) {
        if (code == 0)
            continue;
        for (const char symbol : defaultTable().pattern(code)) {
            const int units = symbol == '.' ? 1 : symbol == ' ' ? 0 : 3;
            for (int i = 0; i < units * n; ++i)
                samples.push_back(tone(units * n, i));
            silentUnits(symbol == ' ' ? 2 : 1);
        }
        silentUnits(2 * p.spacingFactor);
    }
    silentUnits(leadIn);

    const auto count = static_cast<std::uint32_t>(samples.size());
    const auto le = test::littleEndian;
    const auto r = static_cast<std::uint32_t>(rate);
    std::string file = "RIFF" + le(2 * count + 50, 4) + "WAVEfmt " + le(18, 4) + le(1, 2) + le(1, 2) + le(r, 4) +
                       le(2 * r, 4) + le(2, 2) + le(16, 2) + le(0, 2) + "fact" + le(4, 4) + le(count, 4) + "data" +
                       le(2 * count, 4);
    for (const std::int16_t sample : samples)
        file += le(static_cast<std::uint16_t>(sample), 2);
    return file;
}

struct RenderCase {
    const char* name;
    std::string text;
    RenderForm form;
    KeyingParameters parameters;
    std::uint32_t seed;
};

KeyingParameters with(int tone, int signal, int noise, int speed, ReferenceWord word, int spacing, int rateIndex)
{
    return {tone, signal, noise, speed, word, spacing, rateIndex};
}

class RenderedFileRows : public testing::TestWithParam<RenderCase> {};

// Each written over a longer file of the same name, which must not leave a
// tail; the progress reports go up to the total.
TEST_P(RenderedFileRows, MatchesTheReferenceByteForByte)
{
    test::TempDir dir;
    const RenderCase& c = GetParam();
    RenderRequest request{dir / "out.wav", keyedTextFromUtf8(c.text), c.form, c.parameters, 11025};
    test::writeBytes(request.path, std::string(200000, 'x'));
    RandomGenerator random(c.seed);
    std::uint64_t done = 0;
    std::uint64_t total = 0;
    const Result<RenderedFile> rendered = renderMorseFile(request, defaultTable(), random, [&](auto d, auto t) {
        EXPECT_GE(d, done) << "progress never goes back";
        done = d;
        total = t;
    });
    ASSERT_TRUE(rendered);
    EXPECT_TRUE(done == rendered->sampleCount && total == done) << "progress ends at the total";
    EXPECT_EQ(rendered->sampleRate, sound::kSampleRates[static_cast<std::size_t>(*c.parameters.sampleRateIndex)]);
    RandomGenerator referenceRandom(c.seed);
    const std::string expected = referenceFile(c.text, c.form, c.parameters, referenceRandom);
    EXPECT_EQ(random.state(), referenceRandom.state()) << "the same number of draws";
    const std::string actual = test::readBytes(request.path);
    ASSERT_EQ(actual.size(), expected.size());
    EXPECT_EQ(rendered->sampleCount, (actual.size() - kWavHeaderSize) / 2);
    EXPECT_TRUE(actual == expected);
}

INSTANTIATE_TEST_SUITE_P(
    , RenderedFileRows,
    testing::Values(
        RenderCase{"Defaults", "E", RenderForm::Message, KeyingParameters{}, 1},
        RenderCase{"NulAndCharacterOutsideTheCodePage", std::string("E\0\xCE\xA9 E", 6), RenderForm::Live,
                   with(99, 140, 0, 72, P, 2, 2), 1},
        RenderCase{"LiveLetter", "K", RenderForm::Live, KeyingParameters{}, 1},
        RenderCase{"NoisyWords", "CQ DE F6\nÉTÉ $", RenderForm::Message, with(99, 140, 120, 72, P, 1, 2), 42},
        RenderCase{"FullNoiseFullSignal", "PARIS", RenderForm::Message, with(240, 200, 200, 20, P, 3, 4), 7},
        RenderCase{"CodexLowRate", "0123?", RenderForm::Message, with(0, 100, 10, 200, C, 2, 0), 99},
        RenderCase{"SignalOffNoiseOn", "AT", RenderForm::Live, with(50, 0, 30, 100, C, 1, 1), 5},
        RenderCase{"SixteenKilohertz", "<*>", RenderForm::Message, with(17, 141, 1, 33, P, 20, 3), 1234}),
    test::CaseName());

// A file that cannot be created is refused before anything is drawn; a
// write that fails part-way (a full disk) leaves the previous file whole and
// no temporary file behind.
TEST(MessageRenderer, FailuresLeaveThePreviousFile)
{
    test::TempDir dir;
    RandomGenerator random(9);
    KeyingParameters noisy;
    noisy.noisePosition = 50;
    noisy.sampleRateIndex = 4;
    RenderRequest request{dir / "missing/out.wav", keyedTextFromUtf8("E"), RenderForm::Message, noisy, 8000};
    const Result<RenderedFile> uncreated = renderMorseFile(request, defaultTable(), random);
    ASSERT_FALSE(uncreated);
    EXPECT_EQ(uncreated.error().code, ErrorCode::CreateFailed);
    EXPECT_EQ(uncreated.error().message, "Fichier ou dossier introuvable");
    request.path.clear();
    const Result<RenderedFile> unnamed = renderMorseFile(request, defaultTable(), random);
    ASSERT_FALSE(unnamed);
    EXPECT_EQ(unnamed.error().code, ErrorCode::CreateFailed);
    EXPECT_EQ(random.state(), 9U);

    request.path = dir / "full.wav";
    request.text = keyedTextFromUtf8(std::string(400, 'H'));
    test::writeBytes(request.path, "previous");
    const Result<RenderedFile> cut = [&] {
        const test::FileSizeLimit limit(1 << 20);
        return renderMorseFile(request, defaultTable(), random);
    }();
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.error().code, ErrorCode::WriteFailed);
    EXPECT_EQ(cut.error().message, "Fichier trop grand");
    EXPECT_EQ(test::readBytes(request.path), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// 11025 Hz, speed 94, CODEX: 703 samples a unit. A byte without a pattern
// keyed live with spacing S lasts exactly 2S units, so the sample count can
// be put right at the limit: 3,054,742 units make the limit plus 4 samples,
// two units fewer fit. Refused, the file is not touched.
TEST(MessageRenderer, LimitOfTheHeaderIsExact)
{
    KeyingParameters p;
    p.speedPosition = 94;
    p.referenceWord = ReferenceWord::Codex;
    ASSERT_EQ(deriveKeyingValues(p, 11025).samplesPerUnit, 703);
    test::TempDir dir;
    RenderRequest request{dir / "Morse.WAV", keyedTextFromUtf8("!"), RenderForm::Live, p, 11025};
    request.parameters.spacingFactor = 3054742 / 2;
    ASSERT_EQ(3054742ULL * 703, kMaxWavSamples + 4);
    EXPECT_FALSE(renderFitsInWavFile(request, defaultTable()));
    test::writeBytes(request.path, "previous");
    RandomGenerator random(1);
    const Result<RenderedFile> refused = renderMorseFile(request, defaultTable(), random);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, ErrorCode::TooLong);
    EXPECT_EQ(refused.error().message, messages::kTooLong) << "a box would show no text";
    EXPECT_EQ(test::readBytes(request.path), "previous");
    request.parameters.spacingFactor -= 1;
    EXPECT_TRUE(renderFitsInWavFile(request, defaultTable()));
}

} // namespace
} // namespace brivo
