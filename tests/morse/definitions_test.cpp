#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "morse/definition_parser.h"
#include "support/case_name.h"
#include "support/file_size_limit.h"
#include "support/golden.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace brivo {
namespace {

// The built-in text, byte for byte: 141 lines in Windows-1252, each ended by
// CR LF. scripts/regenerate-golden.sh rewrites the file after a deliberate
// change; review its diff before committing it.
TEST(DefaultDefinitions, WrittenTextMatchesTheGoldenFile)
{
    const std::string content = defaultDefinitionContent();
    test::compareWithGolden("Codmorse.INI", content);
    EXPECT_EQ(tableFromContent(content).definedCount(), 132U);
}

// Created, kept when present and refused in a folder that cannot hold it:
// the window's tests hold those, through the grid and the boxes. A file cut
// short leaves nothing; a missing one gives the system's reason.
TEST(DefinitionFile, CutShortLeavesNothingAndMissingSaysWhy)
{
    test::TempDir dir;
    const auto path = dir / "Codmorse.INI";
    {
        const test::FileSizeLimit limit(1000);
        const auto created = ensureDefinitionFile(path);
        ASSERT_FALSE(created);
        EXPECT_EQ(created.error().code, ErrorCode::WriteFailed);
    }
    // Nothing is left, not even the hidden file it was written into: the
    // next start makes it again instead of keying an empty table.
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    ASSERT_EQ(*ensureDefinitionFile(path), DefinitionFileState::Created);
    EXPECT_EQ(test::readBytes(path), defaultDefinitionContent());
    const auto missing = loadDefinitionFile(dir / "absent.INI");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().message, "Fichier ou dossier introuvable");
}

struct ParseCase {
    const char* name;
    std::string content;
    std::vector<std::pair<int, std::string>> expected; // byte, pattern ("" = undefined)
};

class DefinitionParserRows : public testing::TestWithParam<ParseCase> {};

TEST_P(DefinitionParserRows, GivesTheTable)
{
    const MorseTable table = tableFromContent(GetParam().content);
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
