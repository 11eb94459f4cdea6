#include "drills/callsign_run.h"
#include "drills/character_drill.h"
#include "drills/drill_plan.h"
#include "player/device_player.h"
#include "support/built_in_table.h"
#include "support/case_name.h"
#include "support/fake_audio_device.h"

#include <gtest/gtest.h>

namespace brivo::drills {
namespace {

struct NeedCase {
    std::string name;
    CharacterRecords records; // of K, M and R
};

class PickByNeed : public testing::TestWithParam<NeedCase> {};

// Over many draws with a fixed seed, each character comes out in the share
// its need gives it: 0.05 + error rate + half its reaction time over the
// mean one.
TEST_P(PickByNeed, SharesFollowErrorRatesAndSlowness)
{
    const CharacterRecords& records = GetParam().records;
    const std::u32string pool = U"KMR";
    RandomGenerator random(42);
    constexpr std::size_t kDraws = 30000;
    const std::u32string drawn = drawByNeed(pool, records, kDraws, random);
    double total = 0;
    for (const char32_t c : pool)
        total += needOf(records, c);
    for (const char32_t c : pool) {
        const auto count = static_cast<double>(std::count(drawn.begin(), drawn.end(), c));
        EXPECT_NEAR(count / kDraws, needOf(records, c) / total, 0.012) << static_cast<char>(c);
    }
}

INSTANTIATE_TEST_SUITE_P(, PickByNeed,
                         testing::Values(
                             // Unseen characters count as always missed: equal shares.
                             NeedCase{"unseen", {}},
                             // K always missed (1.55), M and R known and as quick (0.55 each).
                             NeedCase{"missed", {{U'K', {1, 400, 9}}, {U'M', {0, 400, 9}}, {U'R', {0, 400, 9}}}},
                             // R twice as slow as K and M: 0.05 + 0.5 x 800 / 533 = 0.8 against 0.425.
                             NeedCase{"slow", {{U'K', {0, 400, 9}}, {U'M', {0, 400, 9}}, {U'R', {0, 800, 9}}}}),
                         test::CaseName{});

TEST(CharacterRecords, AnswersMoveTheRatesByAnEighthAndTheTimeOnlyWhenRight)
{
    CharacterRecords records;
    recordAnswer(records, {U'K', U'K', 500});
    EXPECT_DOUBLE_EQ(records[U'K'].errorRate, 0.875);
    EXPECT_DOUBLE_EQ(*records[U'K'].reactionMs, 500);
    recordAnswer(records, {U'K', U'R', 100});
    recordAnswer(records, {U'K', std::nullopt, 0});
    EXPECT_DOUBLE_EQ(records[U'K'].errorRate, 0.875 + 0.125 * (1 - 0.875) * 2 - 0.125 * 0.125 * (1 - 0.875));
    EXPECT_DOUBLE_EQ(*records[U'K'].reactionMs, 500);
    recordAnswer(records, {U'K', U'K', 300});
    EXPECT_DOUBLE_EQ(*records[U'K'].reactionMs, 475);
    // The time allowed: four mean reactions plus the baseline, within 1.5 .. 6 s.
    EXPECT_DOUBLE_EQ(timeoutSeconds(U"K", records, 200), (4 * 475 + 200) / 1000.0);
    EXPECT_DOUBLE_EQ(timeoutSeconds(U"M", records, 200), kLongestTimeout);
    records[U'K'].reactionMs = 100;
    EXPECT_DOUBLE_EQ(timeoutSeconds(U"K", records, 0), kShortestTimeout);
}

TEST(CharacterPool, GrowsOnlyWhenTheMeanIsUnder30AndEachUnder40Percent)
{
    CharacterPool pool(U"KMRS", true);
    EXPECT_EQ(pool.active(), U"KM");
    CharacterRecords records{{U'K', {0.1, 300, 20}}, {U'M', {0.45, 300, 20}}};
    EXPECT_FALSE(pool.growIfReady(records)); // M over 0.4
    records[U'M'].errorRate = 0.35;
    records[U'K'].errorRate = 0.3;
    EXPECT_FALSE(pool.growIfReady(records)); // mean 0.325
    records[U'K'].errorRate = 0.2;
    EXPECT_EQ(pool.growIfReady(records), U'R');
    EXPECT_EQ(pool.active(), U"KMR");
    EXPECT_EQ(CharacterPool(U"KMRS", false).active(), U"KMRS");
}

struct CallCase {
    std::string name;
    std::string copy;
    bool replayed;
    int right;
    double points; // at 20 WPM: right x 100 / 10, halved when replayed
};

class CallScore : public testing::TestWithParam<CallCase> {};

// The copy of F6ABC at 20 WPM is aligned by edit distance: a missed or an
// extra character costs only itself, not every character after it.
TEST_P(CallScore, AlignedByEditDistance)
{
    const CallCase& c = GetParam();
    const CallResult result = scoreCall(U"F6ABC", c.copy, 20, c.replayed);
    EXPECT_EQ(result.right, c.right);
    EXPECT_DOUBLE_EQ(result.points, c.points);
    EXPECT_EQ(result.correct(), c.right == 5 && c.copy.size() == 5);
}

INSTANTIATE_TEST_SUITE_P(
    , CallScore,
    testing::Values(CallCase{"exact", "f6abc", false, 5, 50}, CallCase{"missing", "F6BC", false, 4, 40},
                    CallCase{"extra", "F66ABC", false, 5, 50}, CallCase{"swapped", "F6BAC", false, 4, 40},
                    CallCase{"replayed", "F6ABC", true, 5, 25}, CallCase{"nothing", "", false, 0, 0}),
    test::CaseName{});

TEST(CallsignRun, SpeedGoesUpTwoAfterARightCallAndDownTwoAfterAWrongOne)
{
    CallsignRun run({U"F6ABC", U"DL1XY", U"G4ZZ", U"K1A"}, 20);
    run.answer("F6ABC", false);
    run.answer("DL1X", false);
    run.answer("G4ZZ", true);
    EXPECT_EQ(run.speeds(), (std::vector<double>{20, 22, 20}));
    EXPECT_DOUBLE_EQ(run.currentWpm(), 22);
    EXPECT_DOUBLE_EQ(run.points(), 50 + 4 * 110 / 10.0 + 4 * 100 / 10.0 / 2);
    EXPECT_DOUBLE_EQ(nextCallWpm(kFastestCallWpm, true), kFastestCallWpm);
    EXPECT_DOUBLE_EQ(nextCallWpm(kSlowestCallWpm, false), kSlowestCallWpm);
}

struct ReactionCase {
    std::string name;
    std::uint32_t latencyFrames; // what the device holds between a pull and the ear
};

class Reaction : public testing::TestWithParam<ReactionCase> {};

// A character of 1 s at 11025 Hz played through the player: the device's
// first pull of 2205 frames comes at clock 1000 s, the key at 1000.9 s. The
// reaction counts from the heard end of the last element: the pull's time,
// plus the device's latency, less what it took, plus where that element
// ends in the sound.
TEST_P(Reaction, CountsFromTheHeardEndOfTheLastElement)
{
    constexpr int kRate = 11025;
    test::FakeAudioDevice device;
    device.buffer = GetParam().latencyFrames;
    test::FakeClock clock;
    DevicePlayer player(device, clock);
    ASSERT_TRUE(player.openSound({kRate, 1, std::vector<std::int16_t>(kRate, 0)}));
    ASSERT_TRUE(player.play());
    EXPECT_FALSE(player.heardOrigin());
    clock.seconds = 1000;
    device.deliver(2205);
    const std::optional<double> origin = player.heardOrigin();
    ASSERT_TRUE(origin);
    const PlannedItem item{U"K", 20, 1000, 540};
    const double expected = (0.9 - static_cast<double>(GetParam().latencyFrames) / kRate + 0.2) * 1000 - 540;
    EXPECT_NEAR(reactionMs(1000.9, *origin, item, 0), expected, 1e-6);
    EXPECT_NEAR(reactionMs(1000.9, *origin, item, 150), expected - 150, 1e-6);
    // Later pulls and the end of the sound keep it.
    clock.seconds = 1000.5;
    device.deliver(kRate);
    EXPECT_EQ(player.heardOrigin(), origin);
}

INSTANTIATE_TEST_SUITE_P(Latencies, Reaction,
                         testing::Values(ReactionCase{"noLatency", 0},
                                         ReactionCase{"latency200ms", 2205}), // 200 ms later, 200 ms less
                         test::CaseName{});

// What a drill item's plan says is what the render keys: K at 20 WPM is 9
// units of 60 ms, then its 3-unit letter gap.
TEST(DrillPlan, AnItemsLengthAndTheEndOfItsLastElement)
{
    const DrillSound sound{atSpeed({}, 20), {}};
    const PlannedItem item = planItem(U"K", sound, test::builtInTable());
    EXPECT_NEAR(item.lastElementEndMs, 540, 0.5);
    EXPECT_NEAR(item.lengthMs, 720, 1); // whole samples a unit
    RandomGenerator random(1);
    const Result<ItemSound> played = renderItem(U"K", sound, test::builtInTable(), random, kWrongToneHz);
    ASSERT_TRUE(played);
    EXPECT_DOUBLE_EQ(played->offsetMs, 2 * kVerdictToneMs);
    EXPECT_NEAR(static_cast<double>(played->sound.samples.size()) * 1000 / played->sound.sampleRate,
                played->offsetMs + item.lengthMs, 0.5);
}

} // namespace
} // namespace brivo::drills
