#include "exercise/exercise_text.h"
#include "support/case_name.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace brivo::exercise {
namespace {

// The groups of `text`, each ended by a blank.
std::vector<std::u32string> groupsOf(const std::u32string& text)
{
    EXPECT_TRUE(text.empty() || text.back() == U' ') << "the text must end with a blank";
    std::vector<std::u32string> groups;
    for (std::size_t start = 0, end = 0; (end = text.find(U' ', start)) != std::u32string::npos; start = end + 1)
        groups.push_back(text.substr(start, end - start));
    return groups;
}

bool isLetter(char32_t c)
{
    return c >= U'A' && c <= U'Z';
}
bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// "L" for a letter group, "C" for a digit group, "M" for a mixed one.
std::string layoutOf(const std::u32string& text, std::size_t groupSize = 5)
{
    std::string layout;
    for (const auto& group : groupsOf(text)) {
        EXPECT_EQ(group.size(), groupSize);
        if (std::all_of(group.begin(), group.end(), isLetter))
            layout += 'L';
        else if (std::all_of(group.begin(), group.end(), isDigit))
            layout += 'C';
        else
            layout += 'M';
    }
    return layout;
}

std::string repeat(const std::string& unit, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

struct PatternCase {
    const char* name;
    int number;
    std::string layout;
};

class PatternLayouts : public testing::TestWithParam<PatternCase> {};

// Over several seeds, so that a letter group is never taken for a mixed
// one by chance (a mixed group of five letters is possible but rare).
TEST_P(PatternLayouts, PlaceLetterAndDigitGroupsInOrder)
{
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        RandomGenerator random(seed);
        const std::u32string text = pattern(GetParam().number, random);
        EXPECT_EQ(text.size(), GetParam().layout.size() * 6);
        EXPECT_EQ(layoutOf(text), GetParam().layout) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(, PatternLayouts,
                         testing::Values(PatternCase{"Motif1", 1, repeat("L", 36)},
                                         PatternCase{"Motif2", 2, repeat("L", 18) + repeat("C", 18)},
                                         PatternCase{"Motif3", 3, repeat("L", 21) + repeat("C", 21)},
                                         PatternCase{"Motif4", 4, repeat("LC", 18)},
                                         PatternCase{"Motif5", 5, repeat("LLC", 12)},
                                         PatternCase{"Motif6", 6, repeat("L", 30) + repeat("C", 6)},
                                         PatternCase{"Motif7", 7, repeat("M", 36)}),
                         test::CaseName());

TEST(Patterns, Motif7AlternatesLetterAndDigitThroughTheWholeText)
{
    RandomGenerator random(9);
    std::u32string characters;
    for (const char32_t c : pattern(7, random)) {
        if (c != U' ')
            characters.push_back(c);
    }
    ASSERT_EQ(characters.size(), 180U);
    for (std::size_t i = 0; i < characters.size(); ++i)
        EXPECT_TRUE(i % 2 == 0 ? isLetter(characters[i]) : isDigit(characters[i])) << i;
}

// Each word's length is drawn before its letters.
TEST(Patterns, Motif9Has180LettersInWordsOfTwoToEight)
{
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        RandomGenerator random(seed);
        const auto words = groupsOf(pattern(9, random));
        RandomGenerator expected(seed);
        ASSERT_EQ(words[0].size(), expected.next() % 7 + 2);
        ASSERT_EQ(words[0][0], kLetters[expected.next() % 26]);
        std::size_t letters = 0;
        for (std::size_t i = 0; i < words.size(); ++i) {
            letters += words[i].size();
            ASSERT_TRUE(std::all_of(words[i].begin(), words[i].end(), isLetter));
            ASSERT_LE(words[i].size(), 8U);
            ASSERT_GE(words[i].size(), i + 1 < words.size() ? 2U : 1U) << "only the last word may be cut";
        }
        ASSERT_EQ(letters, 180U);
    }
}

TEST(SeriesFill, PoolTakesTickedSeriesWholeAndKeepsDuplicates)
{
    const SeriesTexts series = {U"QSDFG", U"HJKLM", U"EIZOAP", U"", U"", U"", U"", U"EEA", U"A B"};
    SeriesTicks ticked = {true, false, true, false, false, false, false, true, true};
    EXPECT_EQ(seriesPool(series, ticked), U"QSDFGEIZOAPEEAA B");
    ticked = {};
    ticked[3] = true;
    EXPECT_EQ(seriesPool(series, ticked), U"");
}

// Groups of the chosen size, each followed by a blank; a blank of a series
// is drawn like a letter, and each position of the pool is equally likely.
TEST(SeriesFill, DrawsGroupsOfTheChosenSizeFromEveryPositionOfThePool)
{
    RandomGenerator random(11);
    const auto text = seriesFill(U"EEA", 100, 20, random);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(layoutOf(*text, 20), std::string(100, 'L'));
    const auto es = std::count(text->begin(), text->end(), U'E');
    const auto as = std::count(text->begin(), text->end(), U'A');
    EXPECT_NEAR(static_cast<double>(es) / static_cast<double>(as), 2.0, 0.2);
    EXPECT_EQ(*seriesFill(U" ", 3, 4, random), U"               ");
    EXPECT_FALSE(seriesFill(U"", 36, 5, random).has_value());
}

struct CountsCase {
    const char* name;
    int letters;
    int digits;
    std::string layout;
};

class LettersAndDigitsRows : public testing::TestWithParam<CountsCase> {};

TEST_P(LettersAndDigitsRows, PutLetterGroupsBeforeDigitGroups)
{
    RandomGenerator random(2);
    const auto text = lettersAndDigitsFill(GetParam().letters, GetParam().digits, random);
    ASSERT_EQ(text.has_value(), !GetParam().layout.empty());
    if (text)
        EXPECT_EQ(layoutOf(*text), GetParam().layout);
    else
        EXPECT_EQ(random.state(), 2U) << "nothing drawn for nothing to insert";
}

INSTANTIATE_TEST_SUITE_P(, LettersAndDigitsRows,
                         testing::Values(CountsCase{"Defaults", 30, 6, repeat("L", 30) + repeat("C", 6)},
                                         CountsCase{"DigitsOnly", 0, 3, "CCC"}, CountsCase{"LettersOnly", 2, 0, "LL"},
                                         CountsCase{"Most", 100, 50, repeat("L", 100) + repeat("C", 50)},
                                         CountsCase{"NothingIsRefused", 0, 0, ""}),
                         test::CaseName());

} // namespace
} // namespace brivo::exercise
