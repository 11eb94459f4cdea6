// Spoken answers: what is said for each word, where it goes, and that the
// keyed samples stay exactly as rendered.
#include "common/edit_text.h"
#include "player/wav_reader.h"
#include "practice/material/word_lists.h"
#include "reception/reception_renderer.h"
#include "speech/answered_render.h"
#include "speech/french_voice.h"
#include "speech/spoken_answers.h"
#include "support/built_in_table.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <espeak-ng/speak_lib.h>
#include <gtest/gtest.h>

namespace brivo::speech {
namespace {

using test::builtInTable;
const auto& table = builtInTable;

struct SayCase {
    std::string name;
    std::u32string unit;
    std::string said;
};

class SpokenAnswer : public testing::TestWithParam<SayCase> {};

// What espeak-ng is given: common words as words, groups spelled with the
// French names, procedure signals by theirs.
TEST_P(SpokenAnswer, SpellsGroupsAndReadsWords)
{
    EXPECT_EQ(spokenAnswer(GetParam().unit, isCommonFrenchWord), GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(, SpokenAnswer,
                         testing::Values(SayCase{"group", U"KMWQY", "ka, èm, double vé, ku, i grec"},
                                         SayCase{"figures", U"5NN73", "cinq, èn, èn, sept, trois"},
                                         SayCase{"commonWord", U"MAISON", "maison"},
                                         SayCase{"accentedWord", U"ETE", "été"}, SayCase{"ligature", U"COEUR", "cœur"},
                                         SayCase{"oneLetterIsSpelled", U"A", "a"},
                                         SayCase{"procedureSignals", U"=+*", "bé té, a èr, èss ka"},
                                         SayCase{"callsign", U"F5ABC/P", "èf, cinq, a, bé, cé, barre, pé"}),
                         test::CaseName());

// espeak-ng's phonemes of every built-in French word, as it is said: a
// vowel in each, and never a switch to another language (a word kept
// without its accents is read as English, or loses its vowel).
TEST(FrenchWords, EveryWordIsSaidInFrenchWithAVowel)
{
    ASSERT_TRUE(sayInFrench("a", 11025)); // the French voice, set up
    for (const std::u32string& word : practice::commonWords(practice::Language::French)) {
        const std::string said = spokenAnswer(word, isCommonFrenchWord);
        const void* text = said.c_str();
        const std::string phonemes = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, 0);
        EXPECT_EQ(phonemes.find('('), std::string::npos) << said << ": " << phonemes;
        EXPECT_NE(phonemes.find_first_of("aeiouyAEIOUY@W&"), std::string::npos) << said << ": " << phonemes;
    }
}

RenderRequest requestFor(const std::filesystem::path& path, const std::string& text)
{
    RenderRequest request;
    request.path = path;
    request.text = keyedTextFromUtf8(text);
    request.parameters.speedPosition = 120;
    return request;
}

// With a stand-in voice: one answer after each word, in the silence after
// it; removing the answers gives back the render sample for sample.
TEST(AnswerPoints, AnswersGoInTheSilencesAndLeaveTheKeyingAsItWas)
{
    test::TempDir dir;
    const RenderRequest request = requestFor(dir / "plain.wav", "KM  MAISON\r\n73");
    RandomGenerator random(1);
    ASSERT_TRUE(renderMorseFile(request, table(), random));
    const std::vector<std::int16_t> plain = readWav(test::readBytes(request.path))->samples;
    const std::vector<AnswerPoint> points =
        answerPoints(request.text, table(), reception::renderedMarks(request, table(), {}), 11025, plain.size());
    ASSERT_EQ(points.size(), 3U);
    EXPECT_EQ(points[0].unit, U"KM");
    EXPECT_EQ(points[1].unit, U"MAISON");
    EXPECT_EQ(points[2].unit, U"73");
    EXPECT_EQ(points[2].sample, plain.size());
    // Start and end characters keyed around the exercise are not said,
    // even glued to its first and last words.
    const RenderRequest framed = requestFor(dir / "framed.wav", "VVVKM  MAISON\r\n73+");
    const std::vector<AnswerPoint> inside =
        answerPoints(framed.text, table(), reception::renderedMarks(framed, table(), {}), 11025, plain.size(),
                     {3, framed.text.size() - 1});
    ASSERT_EQ(inside.size(), 3U);
    EXPECT_EQ(inside[0].unit, U"KM");
    EXPECT_EQ(inside[2].unit, U"73");
    for (std::size_t i = 0; i < 2; ++i) {
        for (std::uint64_t s = points[i].sample - 300; s < points[i].sample + 300; ++s)
            ASSERT_EQ(plain[s], 0) << "answer " << i << " is not in a silence";
    }
}

std::vector<std::int16_t> samplesOf(const AnsweredRender& render, std::uint64_t seed)
{
    std::vector<std::int16_t> samples;
    RandomGenerator random(seed);
    EXPECT_TRUE(render.render(random, [&](std::span<const std::int16_t> block) {
        samples.insert(samples.end(), block.begin(), block.end());
        return true;
    }));
    return samples;
}

double loudness(const std::vector<std::int16_t>& samples, std::uint64_t from, std::uint64_t count)
{
    double energy = 0;
    for (std::uint64_t i = from; i < from + count; ++i)
        energy += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(energy / static_cast<double>(count));
}

struct AnsweredCase {
    std::string name;
    std::string preface;
    AnswerOptions options;
    reception::ReceptionConditions conditions;
};

class AnsweredRenders : public testing::TestWithParam<AnsweredCase> {};

// The real voice, streamed: each insertion holds the pause, then speech no
// louder than the keying, then (Morse, answer, Morse) the word keyed again;
// the band runs on under it with conditions; taking the insertions out of
// a plain render gives it back sample for sample.
TEST_P(AnsweredRenders, VoiceGoesInTheOpeningsOnly)
{
    const AnsweredCase& row = GetParam();
    const RenderRequest request = requestFor({}, "KM MAISON");
    const Result<AnsweredRender> render =
        AnsweredRender::plan(request, table(), row.conditions, row.options, row.preface);
    ASSERT_TRUE(render) << render.error().message;
    const std::vector<std::int16_t> answered = samplesOf(*render, 1);
    ASSERT_EQ(answered.size(), render->sampleCount());
    const std::vector<std::int16_t> plain =
        samplesOf(*AnsweredRender::plan(request, table(), row.conditions, std::nullopt), 1);
    const auto pause = static_cast<std::uint64_t>(row.options.pauseSeconds * 11025);
    const std::int16_t level = deriveKeyingValues(request.parameters, 11025).toneAmplitude;
    std::vector<std::int16_t> keyed;
    std::uint64_t taken = 0;
    std::uint64_t before = 0;
    for (const Insertion& insertion : render->insertions()) {
        const std::uint64_t start = insertion.at + before;
        keyed.insert(keyed.end(), answered.begin() + static_cast<std::ptrdiff_t>(taken),
                     answered.begin() + static_cast<std::ptrdiff_t>(start));
        taken = start + insertion.length;
        before += insertion.length;
        const bool preface = insertion.at == 0 && !row.preface.empty();
        const std::uint64_t voice = preface ? 0 : pause;
        if (!row.conditions.any() && !preface) {
            EXPECT_EQ(loudness(answered, start, pause), 0) << "the pause is silent";
        } else if (row.conditions.any()) {
            EXPECT_GT(loudness(answered, start, pause / 4), 50) << "the band stops under the answer";
        }
        EXPECT_GT(loudness(answered, start + voice, 11025 / 2), 300) << "no voice at " << start;
        if (!row.conditions.any()) {
            const auto peak = *std::max_element(answered.begin() + static_cast<std::ptrdiff_t>(start),
                                                answered.begin() + static_cast<std::ptrdiff_t>(taken));
            EXPECT_LE(peak, level) << "the voice is louder than the keying";
        }
        if (row.options.keyAgain && !preface) {
            EXPECT_GT(loudness(answered, taken - pause / 2 - 11025 * 3 / 10, 11025 * 3 / 10), 300) << "not keyed again";
        }
    }
    keyed.insert(keyed.end(), answered.begin() + static_cast<std::ptrdiff_t>(taken), answered.end());
    if (!row.conditions.any()) {
        EXPECT_EQ(keyed, plain);
    }
}

reception::ReceptionConditions noisyBand()
{
    reception::ReceptionConditions c;
    c.snrDb = 10;
    c.qrm = 1;
    return c;
}

INSTANTIATE_TEST_SUITE_P(, AnsweredRenders,
                         testing::Values(AnsweredCase{"plain", {}, {1.0, false}, {}},
                                         AnsweredCase{"preface", "nouveaux caractères : ka, èm", {1.0, false}, {}},
                                         AnsweredCase{"morseAnswerMorse", {}, {1.0, true}, {}},
                                         AnsweredCase{"bandUnderTheVoice", {}, {2.0, false}, noisyBand()}),
                         test::CaseName());

} // namespace
} // namespace brivo::speech
