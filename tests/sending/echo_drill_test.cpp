// The echo drill's items, verdicts and speed, and the ideal keying it plays.
#include "common/utf8.h"
#include "sending/decoder.h"
#include "sending/echo_drill.h"
#include "support/built_in_table.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brivo::sending {
namespace {

// "K M" at 20 WPM: K (9 dits), a word gap (7), M (7); a dit is 60 ms.
TEST(IdealKeying, TimesEveryElementAndDecodesBack)
{
    const KeyEdges edges = idealKeying(U"K M", test::builtInTable(), 20, 1'000'000);
    ASSERT_EQ(edges.size(), 10U);
    EXPECT_EQ(edges.front(), (KeyEdge{1'000'000, true, Contact::Straight}));
    EXPECT_EQ(edges[1].micros, 1'180'000);
    EXPECT_EQ(edges.back().micros, 1'000'000 + 23 * 60'000);
    EXPECT_EQ(decodeKeying(test::builtInTable(), edges, 20), "K M");
}

struct EchoCase {
    std::string name;
    EchoSettings settings;
    std::u32string characters;
    std::vector<std::string> answers; // keyed back, one item each
    std::vector<bool> right;
    double wpmAfter;
};

class Echo : public testing::TestWithParam<EchoCase> {};

TEST_P(Echo, JudgesEachItemAndMovesTheSpeedWithinItsBounds)
{
    const EchoCase& c = GetParam();
    EchoDrill drill(c.settings, c.characters, {}, 7);
    for (std::size_t i = 0; i < c.answers.size(); ++i) {
        const Result<std::u32string> item = drill.next();
        ASSERT_TRUE(item);
        const std::string answer = c.answers[i] == "=" ? encodeUtf8(*item) : c.answers[i];
        EXPECT_EQ(drill.answer(answer).right, c.right[i]) << i;
    }
    EXPECT_EQ(drill.wpm(), c.wpmAfter);
    EXPECT_EQ(drill.answered(), static_cast<int>(c.answers.size()));
}

INSTANTIATE_TEST_SUITE_P(
    , Echo,
    testing::Values(
        // "=" keys the item back as it was played.
        EchoCase{"rightAnswersSpeedUpToTheFastest",
                 {EchoSource::Characters, 38, true, 10, 40},
                 U"K",
                 {"=", "=", "="},
                 {true, true, true},
                 40},
        EchoCase{"wrongAnswersSlowDownToTheSlowest",
                 {EchoSource::Groups, 11, true, 10, 40},
                 U"KM",
                 {"R", "KM", "*"},
                 {false, false, false},
                 10},
        EchoCase{"fixedSpeedStays", {EchoSource::Groups, 25, false, 10, 40}, U"KMR", {"=", "X"}, {true, false}, 25},
        EchoCase{
            "callSignsFromTheMaterial", {EchoSource::Calls, 20, true, 10, 40}, U"", {"=", "F6"}, {true, false}, 20}),
    test::CaseName{});

TEST(EchoItems, ComeFromTheCharactersAndAreCounted)
{
    EchoDrill groups({EchoSource::Groups}, U"KM", {}, 3);
    const std::u32string group = *groups.next();
    EXPECT_EQ(group.size(), 5U);
    EXPECT_EQ(group.find_first_not_of(U"KM"), std::u32string::npos);
    EchoDrill single({EchoSource::Characters}, U"KM", {}, 3);
    std::u32string drawn;
    for (int i = 0; i < 20; ++i)
        drawn += *single.next();
    EXPECT_EQ(drawn.find(U"KK"), std::u32string::npos); // never twice running
    EXPECT_EQ(drawn.find(U"MM"), std::u32string::npos);
    const EchoVerdict verdict = single.answer("R");
    EXPECT_EQ(verdict.message, "reçu « R » au lieu de « " + encodeUtf8(single.item()) + " »");
    EXPECT_EQ(single.counts().at(single.item()[0]).wrong, 1);
    EXPECT_FALSE(EchoDrill({EchoSource::Characters}, U"", {}, 3).next());
}

} // namespace
} // namespace brivo::sending
