#include "morse/definition_parser.h"
#include "support/case_name.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace brivo {
namespace {

struct ParseCase {
    const char* name;
    std::string content;
    std::vector<std::pair<int, std::string>> expected; // byte, pattern ("" = undefined)
};

class DefinitionParserRows : public testing::TestWithParam<ParseCase> {};

TEST_P(DefinitionParserRows, GivesTheTable)
{
    const MorseTable table = definitions::tableFromContent(GetParam().content);
    for (const auto& [byte, pattern] : GetParam().expected)
        EXPECT_EQ(table.pattern(static_cast<KeyCode>(byte)), pattern) << "byte " << byte;
}

const std::string k25Dots(25, '.');
const std::string k19Dots(19, '.');

INSTANTIATE_TEST_SUITE_P(
    , DefinitionParserRows,
    testing::Values(
        ParseCase{"QuotedKey", "\"A\"=\".-\"\r\n", {{'A', ".-"}}},
        ParseCase{"ThreeDigitKey", "065=\".-\"\r\n", {{'A', ".-"}}},
        ParseCase{"LaterLineWinsAcrossKeyForms", "\"A\"=\".-\"\r\n065=\"-\"\r\n", {{'A', "-"}}},
        ParseCase{"KeyAloneUndefinesAnEarlierDefinition", "\"A\"=\".-\"\r\n\"A\"\r\n", {{'A', ""}}},
        ParseCase{"Key255IsTaken", "255=\"-..\"\r\n", {{255, "-.."}}},
        ParseCase{"KeyAbove255IsIgnored", "\"A\"=\".-\"\r\n256=\"-\"\r\n", {{'A', ".-"}, {0, ""}}},
        ParseCase{"TwoDigitKeyIsIgnored", "065=\".-\"\r\n65=\"-\"\r\n", {{'A', ".-"}}},
        ParseCase{"FourDigitKeyOnlyEmptiesItsFirstThreeDigits",
                  "006=\".\"\r\n065=\".-\"\r\n0065=\"-\"\r\n",
                  {{6, ""}, {'A', ".-"}}},
        ParseCase{"BlanksAroundKeyAndEqualsAreAccepted", "   \"B\"  =  \"-...\" ; b\r\n", {{'B', "-..."}}},
        ParseCase{"TabBeforeTheKeyIgnoresTheLine", "\t\"B\"=\"-...\"\r\n", {{'B', ""}}},
        ParseCase{"OtherCharactersInThePatternAreSkipped", "\"E\"=\". x -\"\r\n", {{'E', ".  -"}}},
        ParseCase{"PatternKeepsNineteenSymbols", "\"S\"=\"" + k25Dots + "\"\r\n", {{'S', k19Dots}}},
        ParseCase{"EmptyPatternLeavesTheKeyUndefined", "\"Z\"=\"--..\"\r\n\"Z\"=\"\"\r\n", {{'Z', ""}}},
        ParseCase{"QuoteBetweenQuotesIsByte34", "\"\"\"=\".-..-.\"\r\n", {{34, ".-..-."}}},
        ParseCase{"LineFeedsAloneGiveTheSameTable", "\"A\"=\".-\"\n\"B\"=\"-...\"\n", {{'A', ".-"}, {'B', "-..."}}},
        ParseCase{"CarriageReturnsAreDroppedAnywhere", "\"A\"=\".\r-\"\r\r\n", {{'A', ".-"}}},
        ParseCase{"CtrlZEndsTheFile", "\"A\"=\".-\"\r\n\x1A\"B\"=\"-...\"\r\n", {{'A', ".-"}, {'B', ""}}},
        ParseCase{"MissingEqualsLeavesTheKeyEmpty", "\"A\"=\".-\"\r\n\"A\" \".-\"\r\n", {{'A', ""}}},
        ParseCase{"MissingOpeningQuoteLeavesTheKeyEmpty", "\"A\"=\".-\"\r\n\"A\"=.-\r\n", {{'A', ""}}},
        ParseCase{"MissingClosingQuoteTakesTheCommentBlanks", "\"A\"=\".- ; a-b\r\n", {{'A', ".-  -"}}},
        ParseCase{"QuotedKeyMayBeABlankOrADigit", "\" \"=\" \"\r\n\"5\"=\".....\"\r\n", {{' ', " "}, {'5', "....."}}},
        ParseCase{"UpperAndLowerCaseAreDifferentKeys", "\"a\"=\".-\"\r\n", {{'a', ".-"}, {'A', ""}}},
        ParseCase{"Windows1252KeyByte", "\"\xE9\"=\"..-..\"\r\n", {{0xE9, "..-.."}}},
        ParseCase{"NulIsSkippedLikeAnyUnnamedCharacter", std::string("\"A\"=\".\0-\"\r\n", 11), {{'A', ".-"}}},
        ParseCase{"EmptyFileDefinesNothing", "", {{'A', ""}, {' ', ""}}},
        ParseCase{"LastLineWithoutLineFeedCounts", "\"A\"=\".-\"", {{'A', ".-"}}},
        // Positions count from 0; nothing at or past 95 is read.
        ParseCase{"PatternSymbolsStopAtPosition95", std::string(85, ' ') + "\"B\"=\"" + k25Dots, {{'B', "....."}}},
        ParseCase{
            "KeyStartingAt94ReadsPosition96", "\"A\"=\".-\"\n" + std::string(94, ' ') + "\"A\"=\"-\"\n", {{'A', ""}}},
        ParseCase{"KeyAfterPosition94IsIgnored", std::string(95, ' ') + "\"A\"=\".-\"", {{'A', ""}}},
        ParseCase{
            "KeyEndingAt95StillEmptiesItsEntry", "\"A\"=\".-\"\n" + std::string(93, ' ') + "\"A\"\n", {{'A', ""}}},
        // 96 characters and the line feed make one piece.
        ParseCase{"PieceOf97CharactersEndsAtItsLineFeed",
                  "\"A\"=\".-\"" + std::string(88, ' ') + "\n\"B\"=\"-...\"\n",
                  {{'A', ".-"}, {'B', "-..."}}},
        ParseCase{"LongerLineIsCutAfter97Characters", std::string(97, ';') + "\"C\"=\"-.-.\"\n", {{'C', "-.-."}}}),
    test::CaseName());

} // namespace
} // namespace brivo
