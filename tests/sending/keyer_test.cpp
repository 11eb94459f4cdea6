// The keyers, mode by mode: paddle edges in, key edges out, at 20 words
// per minute on a 1000 Hz clock (a dit is 60 ms).
#include "sending/keyer.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brivo::sending {
namespace {

struct KeyerCase {
    std::string name;
    KeyerSettings settings;
    // Paddle edges: milliseconds, then 'i' or 'a' (dit or dah paddle, 'k'
    // for a straight key), upper case when it closes.
    std::vector<std::pair<int, char>> paddles;
    std::vector<int> keyed; // key-down and key-up times, in turn
};

KeyerSettings mode(KeyerMode keyerMode, double weight = 3, bool ditMemory = true)
{
    return {keyerMode, 20, weight, 50, 35, ditMemory, true, 1000};
}

class Keyers : public testing::TestWithParam<KeyerCase> {};

TEST_P(Keyers, KeyWhatThePaddlesAsk)
{
    const KeyerCase& row = GetParam();
    KeyEdges paddles;
    for (const auto& [ms, what] : row.paddles) {
        const char lower = static_cast<char>(what | 0x20);
        paddles.push_back({ms * 1000LL, what != lower,
                           lower == 'i'   ? Contact::Dit
                           : lower == 'a' ? Contact::Dah
                                          : Contact::Straight});
    }
    KeyEdges expected;
    for (std::size_t i = 0; i < row.keyed.size(); ++i)
        expected.push_back({row.keyed[i] * 1000LL, i % 2 == 0, Contact::Straight});
    EXPECT_EQ(runKeyer(row.settings, paddles), expected);
}

INSTANTIATE_TEST_SUITE_P(
    , Keyers,
    testing::Values(KeyerCase{"straightPassesThrough", mode(KeyerMode::Straight), {{0, 'K'}, {100, 'k'}}, {0, 100}},
                    KeyerCase{"heldDitRepeats", mode(KeyerMode::IambicB), {{0, 'I'}, {150, 'i'}}, {0, 60, 120, 180}},
                    KeyerCase{"dahTappedIsOneDah", mode(KeyerMode::IambicB), {{0, 'A'}, {100, 'a'}}, {0, 180}},
                    KeyerCase{"squeezeReleasedInADahStopsInA",
                              mode(KeyerMode::IambicA),
                              {{0, 'I'}, {10, 'A'}, {200, 'i'}, {200, 'a'}},
                              {0, 60, 120, 300}},
                    KeyerCase{"squeezeReleasedAfterTheSamplingPointAddsADitInB",
                              mode(KeyerMode::IambicB),
                              {{0, 'I'}, {10, 'A'}, {200, 'i'}, {200, 'a'}},
                              {0, 60, 120, 300, 360, 420}},
                    KeyerCase{"squeezeReleasedBeforeTheSamplingPointAddsNothingInB",
                              mode(KeyerMode::IambicB),
                              {{0, 'I'}, {10, 'A'}, {150, 'i'}, {150, 'a'}},
                              {0, 60, 120, 300}},
                    KeyerCase{"ditTappedDuringADahIsRemembered",
                              mode(KeyerMode::IambicA),
                              {{0, 'A'}, {50, 'a'}, {100, 'I'}, {130, 'i'}},
                              {0, 180, 240, 300}},
                    KeyerCase{"withoutItsMemoryTheDitIsLost",
                              mode(KeyerMode::IambicA, 3, false),
                              {{0, 'A'}, {50, 'a'}, {100, 'I'}, {130, 'i'}},
                              {0, 180}},
                    KeyerCase{"aTapInTheDeafTimeIsIgnored",
                              mode(KeyerMode::IambicA),
                              {{0, 'A'}, {50, 'a'}, {185, 'I'}, {195, 'i'}},
                              {0, 180}},
                    KeyerCase{"ultimaticLastPressedWins",
                              mode(KeyerMode::Ultimatic),
                              {{0, 'I'}, {100, 'A'}, {500, 'i'}, {500, 'a'}},
                              {0, 60, 120, 300, 360, 540}},
                    KeyerCase{"bugMakesDitsAndKeysDahsByHand",
                              mode(KeyerMode::Bug),
                              {{0, 'I'}, {150, 'i'}, {300, 'A'}, {480, 'a'}},
                              {0, 60, 120, 180, 300, 480}},
                    KeyerCase{"singleLeverTakesTheOtherSideInTurn",
                              mode(KeyerMode::SingleLever),
                              {{0, 'I'}, {50, 'i'}, {95, 'A'}, {100, 'a'}},
                              {0, 60, 120, 300}},
                    KeyerCase{"weightLengthensTheDah", mode(KeyerMode::IambicB, 3.5), {{0, 'A'}, {10, 'a'}}, {0, 210}}),
    test::CaseName());

} // namespace
} // namespace brivo::sending
