#include "common/utf8.h"
#include "practice/koch_course.h"
#include "support/built_in_table.h"
#include "support/case_name.h"

#include <functional>
#include <gtest/gtest.h>

namespace brivo::practice {
namespace {

using test::builtInTable;
const auto& table = builtInTable;

const auto& keyed = test::keyedByBuiltInTable;

// A check of `sent` characters of which `wrong` were missed, all of `c`.
CopyCheck checkOf(char32_t c, int sent, int wrong, double score)
{
    CopyCheck check;
    check.score = score;
    check.perCharacter[c] = {sent, wrong};
    return check;
}

TEST(KochOrder, PublishedOrdersAreKeyedAndOrdersAreChecked)
{
    // Both end with the prosigns AR, SK and BT, those the table keys.
    for (const char* name : {"lcwo", "kochmorse"}) {
        const Result<std::u32string> order = parseOrder(encodeUtf8(*namedOrder(name, keyed)), keyed);
        ASSERT_TRUE(order) << name << ": " << order.error().message;
        EXPECT_EQ(order->size(), 43U);
        EXPECT_EQ(order->substr(name == std::string("lcwo") ? 41 : 40), name == std::string("lcwo") ? U"+*" : U"+*=");
        const auto withoutSk = [](char32_t c) { return c != U'*' && keyed(c); };
        EXPECT_EQ(namedOrder(name, withoutSk)->find(U'*'), std::u32string::npos);
    }
    EXPECT_EQ(*parseOrder("k m  u\tr", keyed), U"KMUR");
    EXPECT_NE(parseOrder("KM«", keyed).error().message.find("« « » n'a pas de code morse"), std::string::npos);
    EXPECT_NE(parseOrder(" K ", keyed).error().message.find("au moins deux"), std::string::npos);
    EXPECT_FALSE(namedOrder("farnsworth"));
}

// e := 0.85 e + 0.15 w / s from 0.5; the weight min(5, 1 + 4e + b), with
// the newest character's bonus of 1.5 over the first three checks of its
// lesson.
TEST(KochCourse, ErrorRatesWeightsAndTheNewestBonus)
{
    CourseState state;
    state.order = U"KMURES";
    EXPECT_DOUBLE_EQ(state.weight(U'K'), 3.0);
    EXPECT_DOUBLE_EQ(state.weight(U'M'), 4.5);
    recordCheck(state, checkOf(U'M', 4, 4, 50));
    EXPECT_DOUBLE_EQ(state.errorRate(U'M'), 0.85 * 0.5 + 0.15);
    EXPECT_DOUBLE_EQ(state.weight(U'M'), 1 + 4 * 0.575 + 1.5);
    recordCheck(state, checkOf(U'M', 4, 4, 50));
    EXPECT_DOUBLE_EQ(state.weight(U'M'), 5.0) << "capped";
    recordCheck(state, checkOf(U'K', 10, 0, 50));
    EXPECT_DOUBLE_EQ(state.weight(U'K'), 1 + 4 * 0.425);
    EXPECT_DOUBLE_EQ(state.weight(U'M'), 1 + 4 * state.errorRate(U'M')) << "no bonus after three checks";
    recordCheck(state, checkOf(U'U', 4, 0, 50));
    EXPECT_EQ(state.errorRates.count(U'U'), 0U) << "not a character of lesson 2";
}

// A lesson-2 check of `groups` groups "KKKKKKKKKM" (or "KKKKKKKKKKKM"
// with `longGroups`), the M of group g copied as K when `missed(g)`, and K
// copied as M twice in every group when `poorK`: through the check itself,
// so the order in which M was missed is the copy's.
struct AdvanceCase {
    std::string name;
    int groups;
    std::function<bool(int)> missed;
    bool advances;
    bool poorK = false;
    bool longGroups = false;
    std::u32string order = *namedOrder("lcwo"); // "KM": the last lesson, never left
};

class Advance : public testing::TestWithParam<AdvanceCase> {};

TEST_P(Advance, ThroughTheCopyCheck)
{
    const AdvanceCase& c = GetParam();
    const std::string ks = c.longGroups ? "KKKKKKKKKKK" : "KKKKKKKKK";
    std::string sent;
    std::string copied;
    int wrong = 0;
    for (int g = 0; g < c.groups; ++g) {
        sent += (g > 0 ? " " : "") + ks + "M";
        copied += (g > 0 ? " " : "") + (c.poorK ? "MM" + ks.substr(2) : ks) + (c.missed(g) ? "K" : "M");
        wrong += c.missed(g) ? 1 : 0;
    }
    const Result<CopyCheck> check = checkCopy(sent, copied, keyed);
    ASSERT_TRUE(check);
    CourseState state;
    state.order = c.order;
    const std::string missing = missingForAdvance(recordCheck(state, *check));
    EXPECT_EQ(state.lesson, c.advances ? 3 : 2);
    EXPECT_EQ(missing.empty(), c.advances) << missing;
    if (!c.advances) {
        EXPECT_DOUBLE_EQ(state.errorRate(U'M'), 0.85 * 0.5 + 0.15 * wrong / c.groups);
        EXPECT_EQ(state.newestSamples.size(), std::min<std::size_t>(c.groups, CourseState::kNewestWindow));
    }
}

INSTANTIATE_TEST_SUITE_P(Copies, Advance,
                         testing::Values(AdvanceCase{"allRight", 100, [](int) { return false; }, true},
                                         AdvanceCase{"missedLate", 100, [](int g) { return g >= 40; }, false},
                                         AdvanceCase{"missedEarly", 100, [](int g) { return g < 60; }, true},
                                         AdvanceCase{"missedInTheLastTen", 100, [](int g) { return g >= 89; }, false},
                                         AdvanceCase{"spreadOneInFive", 100, [](int g) { return g % 5 == 0; }, true},
                                         AdvanceCase{"spreadOneInFour", 100, [](int g) { return g % 4 == 0; }, false},
                                         AdvanceCase{"manyMissedOnlyEarly", 200, [](int g) { return g < 140; }, true},
                                         AdvanceCase{"manyMissedLate", 200, [](int g) { return g >= 60; }, false},
                                         AdvanceCase{"scoreUnder90", 100, [](int) { return false; }, false, true},
                                         AdvanceCase{"nineSamplesOnly", 9, [](int) { return false; }, false, false,
                                                     true}),
                         test::CaseName{});

// Checks stored, then replayed, give the very state they built, a lesson
// chosen by hand included; a good check of lesson 2 moves the course to 3.
TEST(KochCourse, ReplayGivesTheSameStateAndAGoodCheckMovesOn)
{
    CourseState live;
    live.order = *namedOrder("lcwo");
    std::vector<CourseCheck> stored;
    const auto check = [&](char32_t newest, int sent, int wrong, double score) {
        CopyCheck c = checkOf(newest, sent, wrong, score);
        c.perCharacter[U'K'] = {100, 2};
        stored.push_back({live.lesson, score, c.perCharacter, {}, {}});
        return recordCheck(live, c);
    };
    check(U'M', 5, 1, 70);
    EXPECT_EQ(live.lesson, 2);
    check(U'M', 12, 1, 95);
    EXPECT_EQ(live.lesson, 3);
    EXPECT_EQ(live.newest(), U'U');
    EXPECT_TRUE(live.newestSamples.empty());
    chooseLesson(live, 7);
    check(U'S', 20, 0, 99);
    chooseLesson(live, 9); // by hand, with no check of it yet
    const CourseState replayed = replayCourse(live.order, stored, {{stored.size(), 9}});
    EXPECT_EQ(replayed.lesson, live.lesson);
    EXPECT_EQ(replayed.errorRates, live.errorRates);
    EXPECT_EQ(replayed.newestSamples, live.newestSamples);
    EXPECT_EQ(replayed.checksInLesson, live.checksInLesson);
}

// A new lesson is introduced by its new character three times; lesson 2
// by both of its characters; a lesson with a check by nothing.
TEST(KochCourse, IntroductionPlaysTheNewCharactersThreeTimes)
{
    CourseState state;
    state.order = *namedOrder("lcwo");
    EXPECT_EQ(introduction(state), U"K K K M M M");
    chooseLesson(state, 3);
    EXPECT_EQ(introduction(state), U"U U U");
    recordCheck(state, checkOf(U'U', 5, 1, 70));
    EXPECT_EQ(introduction(state), U"");
}

// Over a long text, each character's share is its weight's share (within
// 1.5 points), the new character opens the first session five times, and a
// recorded confusion follows its character at about 0.2.
TEST(KochDrawing, SharesFollowTheWeightsAndConfusionsPair)
{
    CourseState state;
    state.order = *namedOrder("lcwo");
    chooseLesson(state, 4);
    state.errorRates = {{U'K', 0.0}, {U'M', 0.25}, {U'U', 1.0}};
    RandomGenerator random(42);
    const std::u32string text = drawSession(state, {}, SessionSpec{4000, {}, 5}, {}, random);
    EXPECT_EQ(text.substr(0, 10), U"R R R R R ");
    std::map<char32_t, double> count;
    double all = 0;
    for (const char32_t c : text.substr(10)) {
        if (c != U' ') {
            ++count[c];
            ++all;
        }
    }
    double total = 0;
    for (const char32_t c : state.characters())
        total += state.weight(c);
    for (const char32_t c : state.characters())
        EXPECT_NEAR(count[c] / all, state.weight(c) / total, 0.015) << static_cast<char>(c);

    state.checksInLesson = 3;
    // Z, copied for K more often but not in the lesson, is never paired.
    const std::u32string paired =
        drawSession(state, {{{U'K', U'M'}, 4}, {{U'K', U'Z'}, 9}}, SessionSpec{4000, {}, 5}, {}, random);
    EXPECT_EQ(paired.find(U'Z'), std::u32string::npos);
    double afterK = 0;
    double kThenM = 0;
    for (std::size_t i = 0; i + 1 < paired.size(); ++i) {
        if (paired[i] == U'K' && paired[i + 1] != U' ') {
            ++afterK;
            kThenM += paired[i + 1] == U'M' ? 1 : 0;
        }
    }
    const double mShare = state.weight(U'M') / total;
    EXPECT_NEAR(kThenM / afterK, 0.2 + 0.8 * mShare, 0.03);
}

// A session given in minutes is as long as the render's timing says.
TEST(KochDrawing, MinutesAreMeasuredByTheGivenTiming)
{
    CourseState state;
    state.order = U"KM";
    state.checksInLesson = 1;
    RandomGenerator random(1);
    const auto seconds = [](const std::u32string& text) { return static_cast<double>(text.size()); };
    const std::u32string text = drawSession(state, {}, SessionSpec{{}, 1.0, 0}, seconds, random);
    EXPECT_GE(text.size(), 60U);
    EXPECT_LE(text.size(), 60U + 8U);
}

// The course's choices come back whole from their settings line, paths
// with blanks and "%" included; words that do not read are skipped.
TEST(CourseSettingsLine, RoundTripsAndSkipsWhatDoesNotRead)
{
    CourseSettings chosen;
    chosen.order = "/home/a b/mon ordre.txt";
    chosen.minutes = 2.5;
    chosen.groups = 30;
    chosen.groupSize = 0;
    chosen.mask = false;
    chosen.material = "qso-en";
    chosen.list = "/home/a b/100% calls.txt";
    chosen.speeds = {25, 12, true};
    EXPECT_EQ(parseCourseSettings(courseSettingsText(chosen)), chosen);
    EXPECT_EQ(parseCourseSettings(courseSettingsText(CourseSettings{})), CourseSettings{});
    const CourseSettings read =
        parseCourseSettings("lesson=x minutes=900 size=12 mask=2 bruit wpm=40 effective=15 material=words-fr");
    EXPECT_EQ(read.minutes, 5);
    EXPECT_EQ(read.speeds, (CourseSpeeds{20, 15, false}));
    EXPECT_EQ(parseCourseSettings("wpm=12 effective=18").speeds.effectiveWpm, 12); // never above the characters
    EXPECT_EQ(parseCourseSettings("minutes=2,5444444").minutes, 2.5);              // to a tenth, as shown
    EXPECT_EQ(read.groupSize, 5);
    EXPECT_TRUE(read.mask);
    EXPECT_EQ(read.material, "words-fr");
}

} // namespace
} // namespace brivo::practice
