// The decoder against simulated fists: words at 12 to 35 words per minute,
// each element spread log-normally, the decoder started off the true
// speed; the character error rate stays under each row's goal.
#include "practice/material/vocabulary.h"
#include "sending/decoder.h"
#include "support/built_in_table.h"
#include "support/case_name.h"
#include "support/simulated_fist.h"

#include <gtest/gtest.h>

namespace brivo::sending {
namespace {

struct FistCase {
    std::string name;
    test::Fist fist;
    double mostErrorRate;
};

class SimulatedFists : public testing::TestWithParam<FistCase> {};

TEST_P(SimulatedFists, DecodeWithinTheGoal)
{
    const FistCase& row = GetParam();
    static const std::vector<std::u32string> vocabulary = practice::sendingVocabulary();
    std::size_t errors = 0;
    std::size_t length = 0;
    for (const double startFactor : {0.8, 1.0, 1.25}) {
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            std::mt19937 random(seed);
            test::Fist fist = row.fist;
            fist.wpm = row.fist.wpm + static_cast<double>(seed % 3) * (row.fist.wpm > 30 ? 0 : 4);
            const std::string text = test::fistText(random, 40);
            const std::string decoded =
                decodeKeying(test::builtInTable(), test::simulatedFist(text, test::builtInTable(), fist, random),
                             fist.wpm * startFactor, vocabulary);
            errors += test::editDistance(decoded, text);
            length += text.size();
        }
    }
    const double rate = static_cast<double>(errors) / static_cast<double>(length);
    EXPECT_LE(rate, row.mostErrorRate) << errors << " errors in " << length << " characters";
    RecordProperty("error_rate_percent", std::to_string(100 * rate));
}

INSTANTIATE_TEST_SUITE_P(, SimulatedFists,
                         testing::Values(FistCase{"steadyOnATenMsGridAt35Wpm", {35, 0.05, 0, 10'000}, 0.0},
                                         FistCase{"steady", {12, 0.05, 0, 1}, 0.0},
                                         FistCase{"spread10", {12, 0.10, 0, 1}, 0.01},
                                         FistCase{"spread15Drifting", {12, 0.15, 0.03, 1}, 0.06},
                                         FistCase{"spread20", {12, 0.20, 0, 1}, 0.14}),
                         test::CaseName());

} // namespace
} // namespace brivo::sending
