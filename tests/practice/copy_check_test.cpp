#include "common/utf8.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "practice/copy_check.h"
#include "practice/weak_characters.h"
#include "support/case_name.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace brivo::practice {
namespace {

// "A" a match, "I>X" a substitution, "-C" a deletion, "+X" an insertion; a
// blank is "_".
std::string describe(const std::vector<AlignmentStep>& alignment)
{
    using Kind = AlignmentStep::Kind;
    const auto shown = [](char32_t c) { return c == U' ' ? std::string("_") : encodeUtf8(std::u32string(1, c)); };
    std::string out;
    for (const AlignmentStep& step : alignment) {
        out += out.empty() ? "" : " ";
        if (step.kind == Kind::Insertion)
            out += "+" + shown(step.copied);
        else
            out += (step.kind == Kind::Deletion ? "-" : "") + shown(step.sent);
        if (step.kind == Kind::Substitution)
            out += ">" + shown(step.copied);
    }
    return out;
}

struct CheckCase {
    std::string name;
    std::string sent;
    std::string copied;
    std::size_t distance;
    std::string score;
    std::string alignment;
    bool accentKeyedAlone = false; // the table gives É its own pattern, ..-..
};

class Check : public testing::TestWithParam<CheckCase> {};

TEST_P(Check, DistanceScoreAndAlignment)
{
    const CheckCase& c = GetParam();
    MorseTable table = tableFromContent(defaultDefinitionContent());
    if (c.accentKeyedAlone) {
        table.clear(0xC9);
        for (const char symbol : std::string_view("..-.."))
            table.appendSymbol(0xC9, symbol);
    }
    const Result<CopyCheck> check = checkCopy(
        c.sent, c.copied, [&table](char32_t x) { return hasPattern(table, x); },
        [&table](char32_t x) { return soundsAs(table, x); });
    ASSERT_TRUE(check);
    EXPECT_EQ(check->distance, c.distance);
    EXPECT_EQ(scoreText(check->score), c.score);
    if (!c.alignment.empty()) {
        EXPECT_EQ(describe(check->alignment), c.alignment);
    }
    EXPECT_EQ(static_cast<std::size_t>(check->substitutions + check->deletions + check->insertions), c.distance);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, Check,
    testing::Values(
        CheckCase{"deletionAndSubstitution", "ABCDE FGHIJ", "abde fghxj", 2, "81,8", "A B -C D E _ F G H I>X J"},
        CheckCase{"insertionOnly", "ABC", "AXBC", 1, "66,7", "A +X B C"},
        CheckCase{"emptyCopy", "AB C", "", 4, "0,0", "-A -B -_ -C"},
        CheckCase{"emptySentText", "", "AB", 2, "0,0", "+A +B"}, CheckCase{"bothEmpty", "", " ", 0, "100,0", ""},
        // Compared as keyed: É sounds as E in the built-in table.
        CheckCase{"accentCopiedWithout", "café été", "CAFE ETE", 0, "100,0", "C A F E _ E T E"},
        CheckCase{"accentCopiedForPlain", "ETE", "été", 0, "100,0", "E T E"},
        CheckCase{"accentKeyedAlone", "été", "ETE", 2, "33,3", "É>E T É>E", true},
        // Among alignments of equal cost: a match kept, runs kept together,
        // and the copy matched as early as it can be.
        CheckCase{"matchKeptAtEqualCost", "AB", "BA", 2, "0,0", "+B A -B"},
        CheckCase{"runKeptTogether", "ABA", "BAB", 2, "33,3", "+B A B -A"},
        CheckCase{"copyStoppedShort", "GQUNG CVEMT NGQUE", "GQUNG", 12, "29,4",
                  "G Q U N G -_ -C -V -E -M -T -_ -N -G -Q -U -E"},
        CheckCase{"copyStoppedMidGroup", "AB BA AB", "AB B", 4, "50,0", "A B _ B -A -_ -A -B"},
        CheckCase{"copyDoubled", "CQ DE", "CQ DE CQ DE", 6, "0,0", "C Q _ D E +_ +C +Q +_ +D +E"},
        CheckCase{"copyShifted", "ABCDE", "BCDEF", 2, "60,0", "-A B C D E +F"},
        CheckCase{"moreErrorsThanCharacters", "E", "TTT", 3, "0,0", "E>T +T +T"},
        // Apostrophe and guillemets have no pattern: never heard.
        CheckCase{"unkeyedCharactersLeftOut", "L’ÉTÉ «CQ»", "LÉTÉ CQ", 0, "100,0", "L E T E _ C Q"},
        // Half tenths round up, from the exact ratio: 51 / 80 and 79 / 80.
        CheckCase{"tieRoundsUp", std::string(80, 'E'), std::string(51, 'E'), 29, "63,8", ""},
        CheckCase{"otherTieRoundsUp", std::string(80, 'E'), std::string(79, 'E'), 1, "98,8", ""},
        // Both texts in upper case with one blank between words.
        CheckCase{"blanksTabsAndLineBreaks", " \t cq\r\n\r\ncq  de\tf6abc \n", "CQ CQ DE F6ABC", 0, "100,0", ""},
        CheckCase{"unicodeBlanks", "cq\u00A0de\ff6\u2009abc\u3000k", "CQ DE F6 ABC K", 0, "100,0", ""},
        CheckCase{"accentsUpperCased", "çà été", "ÇÀ ÉTÉ", 0, "100,0", ""},
        CheckCase{"combiningAccentsComposed", "e\u0301te\u0301 c\u0327a", "ÉTÉ ÇA", 0, "100,0", ""}),
    test::CaseName{});

TEST(CheckCounts, EachSentCharacterOnceAndInsertionsAgainstNone)
{
    const Result<CopyCheck> check = checkCopy("AAB CQ", "AB XCQQ");
    ASSERT_TRUE(check);
    EXPECT_EQ(describe(check->alignment), "-A A B _ +X C Q +Q");
    EXPECT_EQ(check->perCharacter.size(), 4U); // the blank is no character
    EXPECT_EQ(check->perCharacter.at(U'A').sent, 2);
    EXPECT_EQ(check->perCharacter.at(U'A').wrong, 1);
    EXPECT_EQ(check->perCharacter.at(U'Q').wrong, 0);
    EXPECT_EQ(check->insertions, 2);

    const Result<CopyCheck> swapped = checkCopy("SOS SOS", "SOS S0S");
    ASSERT_TRUE(swapped);
    EXPECT_EQ(swapped->confusions.size(), 1U);
    EXPECT_EQ((swapped->confusions.at({U'O', U'0'})), 1);
    EXPECT_EQ(swapped->perCharacter.at(U'O').wrong, 1);
    EXPECT_EQ(swapped->perCharacter.at(U'O').sent, 2);
}

TEST(CheckCounts, AbsurdSizesAreRefused)
{
    // A chapter copied with few errors is corrected; copied far off, or
    // longer than the limit, it is refused.
    const std::string limit(kMaxCheckedCharacters, 'E');
    EXPECT_EQ(checkCopy(limit, limit.substr(10))->distance, 10U);
    const Result<CopyCheck> farOff = checkCopy(limit, "E");
    ASSERT_FALSE(farOff);
    EXPECT_NE(farOff.error().message.find("corrigez-la par parties"), std::string::npos);
    const Result<CopyCheck> refused = checkCopy(limit + "E", "E");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, ErrorCode::TooLong);
    EXPECT_EQ(refused.error().message, "Texte trop long pour la correction : au plus 100000 caractères par texte.");
}

// The plain textbook distance, to check the traced one against.
std::size_t plainDistance(const std::u32string& a, const std::u32string& b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            d[i][j] = std::min({d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0U : 1U), d[i - 1][j] + 1, d[i][j - 1] + 1});
    return d[a.size()][b.size()];
}

TEST(CheckProperty, RandomCopiesAgreeWithThePlainDistanceAndRebuildBothTexts)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> length(0, 30);
    std::uniform_int_distribution<int> letter(0, 3);
    const std::string alphabet = "EIT ";
    const auto draw = [&] {
        std::string text;
        for (int i = length(random); i > 0; --i)
            text += alphabet[static_cast<std::size_t>(letter(random))];
        return text;
    };
    // Then long texts copied with a few to many errors, whose band must
    // widen more than once.
    std::uniform_int_distribution<int> longLength(200, 1500);
    std::uniform_int_distribution<int> percent(0, 99);
    const auto copyOf = [&](const std::string& text, int errorPercent) {
        std::string copy;
        for (const char c : text) {
            const int roll = percent(random);
            if (roll < errorPercent / 2)
                continue;
            copy += roll < errorPercent ? alphabet[static_cast<std::size_t>(letter(random))] : c;
        }
        return copy;
    };
    // Last, copies that start late and run on (a rotation of the text):
    // the best path keeps far off the diagonal, where only a band as wide
    // as its distance allows finds it.
    std::uniform_int_distribution<int> anyLetter('A', 'Z');
    for (int round = 0; round < 530; ++round) {
        std::string sent = draw();
        std::string copied = draw();
        if (round >= 500 && round < 520) {
            sent.clear();
            for (int i = longLength(random); i > 0; --i)
                sent += alphabet[static_cast<std::size_t>(letter(random))];
            copied = copyOf(sent, 2 * (round - 500));
        } else if (round >= 520) {
            sent.clear();
            for (int i = 0; i < 250; ++i)
                sent += static_cast<char>(anyLetter(random));
            const auto shift = static_cast<std::size_t>(60 + 5 * (round - 520));
            copied = sent.substr(shift) + sent.substr(0, shift);
        }
        const Result<CopyCheck> check = checkCopy(sent, copied);
        ASSERT_TRUE(check);
        ASSERT_EQ(check->distance, plainDistance(check->sent, check->copied)) << sent << " / " << copied;
        std::u32string rebuiltSent;
        std::u32string rebuiltCopy;
        std::size_t errors = 0;
        for (const AlignmentStep& step : check->alignment) {
            if (step.sent != 0)
                rebuiltSent += step.sent;
            if (step.copied != 0)
                rebuiltCopy += step.copied;
            errors += step.kind == AlignmentStep::Kind::Match ? 0 : 1;
            ASSERT_EQ(step.kind == AlignmentStep::Kind::Match, step.sent == step.copied);
        }
        ASSERT_EQ(rebuiltSent, check->sent);
        ASSERT_EQ(rebuiltCopy, check->copied);
        ASSERT_EQ(errors, check->distance);
    }
}

struct DrillCase {
    std::string name;
    std::map<char32_t, CharacterCount> recent;
    std::u32string expected;
};

class Drill : public testing::TestWithParam<DrillCase> {};

TEST_P(Drill, WeakCharactersByErrorRate)
{
    EXPECT_EQ(encodeUtf8(weakCharacterSeries(GetParam().recent)), encodeUtf8(GetParam().expected));
}

std::map<char32_t, CharacterCount> manyWeak()
{
    std::map<char32_t, CharacterCount> recent;
    for (char32_t c = U'A'; c <= U'Z'; ++c)
        recent[c] = {2, 2};
    return recent;
}

INSTANTIATE_TEST_SUITE_P(
    Histories, Drill,
    testing::Values(
        DrillCase{"nothingWrong", {{U'E', {10, 0}}}, U""},
        // 1 + round(4 x rate): 1/8 -> 2, 3/8 -> 3 (1.5 rounds up), 1/1 -> 5.
        DrillCase{"highestRateFirst", {{U'A', {8, 1}}, {U'Q', {8, 3}}, {U'Y', {1, 1}}, {U'E', {9, 0}}}, U"YYYYYQQQAA"},
        DrillCase{"equalRatesInCodeOrder", {{U'Z', {4, 2}}, {U'B', {2, 1}}}, U"BBBZZZ"},
        DrillCase{"cutAtForty", manyWeak(), U"AAAAABBBBBCCCCCDDDDDEEEEEFFFFFGGGGGHHHHH"}),
    test::CaseName{});

} // namespace
} // namespace brivo::practice
