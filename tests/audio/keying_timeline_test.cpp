#include "audio/keying_timeline.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "support/case_name.h"

#include <gtest/gtest.h>
#include <string>

namespace brivo {
namespace {

const MorseTable& defaultTable()
{
    static const MorseTable table = definitions::tableFromContent(definitions::defaultFileContent());
    return table;
}

// The timeline as text, one letter per unit: "=" tone, "." silence.
std::string timelineOf(const KeyedText& text, RenderForm form, int spacing)
{
    std::string units;
    walkTimeline(text, defaultTable(), form, spacing, [&](Element element) {
        units += element == Element::Dash ? "===" : element == Element::Dot ? "=" : ".";
        return true;
    });
    return units;
}

KeyedText keyed(const std::string& bytes)
{
    KeyedText text;
    for (const char c : bytes)
        text.push_back(static_cast<unsigned char>(c));
    return text;
}

struct TimelineCase {
    const char* name;
    std::string text;
    RenderForm form;
    int spacing;
    std::string expected;
};

class KeyingTimelineRows : public testing::TestWithParam<TimelineCase> {};

TEST_P(KeyingTimelineRows, LaysOutTonesAndSilences)
{
    EXPECT_EQ(timelineOf(keyed(GetParam().text), GetParam().form, GetParam().spacing), GetParam().expected);
}

constexpr auto M = RenderForm::Message;
constexpr auto L = RenderForm::Live;

INSTANTIATE_TEST_SUITE_P(, KeyingTimelineRows,
                         testing::Values(
                             // lead-in 2, dot 1, its silence 1, character gap 2, tail 2: 8 units
                             TimelineCase{"LetterEMessage", "E", M, 1, "..=....."},
                             TimelineCase{"LetterELive", "E", L, 1, "=..."},
                             TimelineCase{"DashIsThreeUnits", "T", L, 1, "===..."},
                             TimelineCase{"ElementsOfOneCharacter", "A", L, 1, "=.===..."},
                             // between characters 1 + 2S
                             TimelineCase{"CharacterGapSpacingOne", "EE", L, 1, "=...=..."},
                             TimelineCase{"CharacterGapSpacingThree", "EE", L, 3, "=.......=......."},
                             // a word gap is 3 + 4S: 7 at S = 1, 15 at S = 3
                             TimelineCase{"WordGapSpacingOne", "E E", L, 1, "=.......=..."},
                             TimelineCase{"WordGapSpacingThree", "E E", L, 3, "=...............=......."},
                             // CR maps to a blank, LF is empty: 3 + 6S
                             TimelineCase{"LineBreak", "E\r\nE", L, 1, "=.........=..."},
                             // an empty pattern between two characters: 1 + 4S
                             TimelineCase{"ByteWithoutPattern", "E!E", L, 1, "=.....=..."},
                             TimelineCase{"ByteZeroGivesNothing", std::string("E\0E", 3), L, 1, "=...=..."},
                             TimelineCase{"SpacingZeroWritesNoCharacterGap", "EE", L, 0, "=.=."},
                             TimelineCase{"EmptyMessageIsLeadInAndTail", "", M, 1, "...."},
                             TimelineCase{"EmptyLiveIsNothing", "", L, 1, ""}),
                         test::CaseName());

TEST(KeyingTimeline, UnencodableCharacterIsKeyedAsAByteWithoutPattern)
{
    EXPECT_EQ(timelineOf({'E', kUnencodable, 'E'}, L, 1), "=.....=...");
}

TEST(KeyingTimeline, StopsAtTheFirstRefusedBlock)
{
    int calls = 0;
    const bool done = walkTimeline(keyed("EEE"), defaultTable(), M, 1, [&](Element) { return ++calls < 4; });
    EXPECT_FALSE(done);
    EXPECT_EQ(calls, 4);
}

} // namespace
} // namespace brivo
