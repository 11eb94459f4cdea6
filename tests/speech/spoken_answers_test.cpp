// Spoken answers: what is said for each word, where it goes, and that the
// keyed samples stay exactly as rendered.
#include "common/edit_text.h"
#include "player/wav_reader.h"
#include "practice/material/word_lists.h"
#include "reception/reception_renderer.h"
#include "speech/answer_file.h"
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
    const auto voice = [](const std::u32string& unit) { return std::vector<std::int16_t>(100 * unit.size(), 7); };
    const std::vector<std::int16_t> answered = withAnswers(plain, points, voice, 1000);
    ASSERT_EQ(answered.size(), plain.size() + 3 * 1500 + 100 * (2 + 6 + 2));
    std::vector<std::int16_t> keyed;
    std::size_t at = 0;
    for (const AnswerPoint& point : points) {
        const std::size_t upTo = at + (point.sample - keyed.size());
        keyed.insert(keyed.end(), answered.begin() + static_cast<std::ptrdiff_t>(at),
                     answered.begin() + static_cast<std::ptrdiff_t>(upTo));
        EXPECT_EQ(answered[upTo + 1000], 7) << "the answer follows the pause";
        at = upTo + 1500 + 100 * point.unit.size();
    }
    keyed.insert(keyed.end(), answered.begin() + static_cast<std::ptrdiff_t>(at), answered.end());
    EXPECT_EQ(keyed, plain);
}

// The real voice: the file holds the render up to the first answer, then
// speech after the pause, and ends with the last answer.
TEST(SpokenAnswersFile, TheVoiceSpeaksInTheGaps)
{
    test::TempDir dir;
    const RenderRequest request = requestFor(dir / "Morse.WAV", "KM MAISON");
    RandomGenerator random(1);
    ASSERT_TRUE(renderMorseFile(request, table(), random));
    const std::vector<std::int16_t> plain = readWav(test::readBytes(request.path))->samples;
    ASSERT_TRUE(addSpokenAnswers(request, table(), {}, 1.0));
    const std::vector<std::int16_t> answered = readWav(test::readBytes(request.path))->samples;
    const std::uint64_t first =
        answerPoints(request.text, table(), reception::renderedMarks(request, table(), {}), 11025, plain.size())[0]
            .sample;
    ASSERT_GT(answered.size(), plain.size() + 2 * 11025);
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(first), answered.begin()));
    const auto loudness = [](const std::vector<std::int16_t>& samples, std::uint64_t from) {
        double energy = 0;
        for (std::uint64_t i = from; i < from + 5000; ++i)
            energy += static_cast<double>(samples[i]) * samples[i];
        return std::sqrt(energy / 5000);
    };
    EXPECT_GT(loudness(answered, first + 11025), 300) << "no voice after the pause";

    // A preface is said before the keying, which then follows whole.
    ASSERT_TRUE(renderMorseFile(request, table(), random));
    const Result<std::vector<Insertion>> prefaced =
        addSpokenAnswers(request, table(), {}, 1.0, "nouveaux caractères : ka, èm");
    ASSERT_TRUE(prefaced);
    const std::vector<std::int16_t> withPreface = readWav(test::readBytes(request.path))->samples;
    const Insertion said = prefaced->front();
    EXPECT_EQ(said.at, 0U);
    EXPECT_GT(loudness(withPreface, 2000), 300) << "no preface";
    ASSERT_GT(said.length, 11025U);
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(first),
                           withPreface.begin() + static_cast<std::ptrdiff_t>(said.length)));
}

} // namespace
} // namespace brivo::speech
