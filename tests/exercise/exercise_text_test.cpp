#include "exercise/exercise_text.h"
#include "support/case_name.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace brivo::exercise {
namespace {

// Each character of `text` as 'L' (a letter), 'C' (a digit) or itself.
std::string layoutOf(std::u32string_view text)
{
    std::string layout;
    for (const char32_t c : text)
        layout += c >= U'A' && c <= U'Z' ? 'L' : c >= U'0' && c <= U'9' ? 'C' : static_cast<char>(c);
    return layout;
}

std::string repeat(const std::string& unit, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

const std::string kLetterGroup = "LLLLL ";
const std::string kDigitGroup = "CCCCC ";

struct PatternCase {
    const char* name;
    int number;
    std::string layout;
};

class PatternLayouts : public testing::TestWithParam<PatternCase> {};

TEST_P(PatternLayouts, PlaceLetterAndDigitGroupsInOrder)
{
    RandomGenerator random(5);
    EXPECT_EQ(layoutOf(pattern(GetParam().number, random)), GetParam().layout);
}

INSTANTIATE_TEST_SUITE_P(, PatternLayouts,
                         testing::Values(PatternCase{"Motif1", 1, repeat(kLetterGroup, 36)},
                                         PatternCase{"Motif2", 2, repeat(kLetterGroup, 18) + repeat(kDigitGroup, 18)},
                                         PatternCase{"Motif3", 3, repeat(kLetterGroup, 21) + repeat(kDigitGroup, 21)},
                                         PatternCase{"Motif4", 4, repeat(kLetterGroup + kDigitGroup, 18)},
                                         PatternCase{"Motif5", 5,
                                                     repeat(kLetterGroup + kLetterGroup + kDigitGroup, 12)},
                                         PatternCase{"Motif6", 6, repeat(kLetterGroup, 30) + repeat(kDigitGroup, 6)},
                                         // Letter and digit alternate through the whole text, across the blanks.
                                         PatternCase{"Motif7", 7, repeat("LCLCL CLCLC ", 18)}),
                         test::CaseName());

// Each word's length is drawn before its letters.
TEST(Patterns, Motif9Has180LettersInWordsOfTwoToEight)
{
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        RandomGenerator random(seed);
        const std::u32string text = pattern(9, random);
        RandomGenerator expected(seed);
        const auto firstLength = static_cast<std::size_t>(expected.next() % 7 + 2);
        ASSERT_EQ(text.find(U' '), firstLength);
        ASSERT_EQ(text[0], kLetters[expected.next() % 26]);
        const std::string layout = layoutOf(text);
        ASSERT_EQ(std::count(layout.begin(), layout.end(), 'L'), 180);
        ASSERT_EQ(layout.find_first_not_of("L "), std::string::npos);
        ASSERT_EQ(layout.back(), ' ');
        // Only the last word may be cut short of two letters.
        const std::size_t lastWord = layout.rfind(' ', layout.size() - 2) + 1;
        ASSERT_EQ(layout.substr(0, lastWord).find(" L "), std::string::npos) << layout;
        ASSERT_EQ(layout.find("LLLLLLLLL"), std::string::npos) << layout;
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
    EXPECT_EQ(layoutOf(*text), repeat(std::string(20, 'L') + ' ', 100));
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

INSTANTIATE_TEST_SUITE_P(
    , LettersAndDigitsRows,
    testing::Values(CountsCase{"Defaults", 30, 6, repeat(kLetterGroup, 30) + repeat(kDigitGroup, 6)},
                    CountsCase{"DigitsOnly", 0, 3, repeat(kDigitGroup, 3)},
                    CountsCase{"LettersOnly", 2, 0, repeat(kLetterGroup, 2)},
                    CountsCase{"Most", 100, 50, repeat(kLetterGroup, 100) + repeat(kDigitGroup, 50)},
                    CountsCase{"NothingIsRefused", 0, 0, ""}),
    test::CaseName());

} // namespace
} // namespace brivo::exercise
