#include "morse/default_definitions.h"
#include "morse/definition_parser.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace brivo {
namespace {

TEST(DefaultDefinitions, FileIs141LinesAnd3373BytesInWindows1252)
{
    const std::string content = definitions::defaultFileContent();
    EXPECT_EQ(content.size(), 3373U);
    EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 141);
    EXPECT_EQ(content.find('\n'), 2U);
    EXPECT_TRUE(content.starts_with(";\r\n"));
    EXPECT_TRUE(content.ends_with(" comme un espace\r\n"));
    // "é" of the second line is the single byte 0xE9.
    EXPECT_NE(content.find("; D\xE9"
                           "finition du code morse :\r\n"),
              std::string::npos);
}

TEST(DefaultDefinitions, DefineExactly132BytesWithoutDuplicates)
{
    const MorseTable table = definitions::tableFromContent(definitions::defaultFileContent());
    EXPECT_EQ(table.definedCount(), 132U);
}

struct DefaultEntry {
    int byte;
    const char* pattern;
};

class DefaultTable : public testing::TestWithParam<DefaultEntry> {};

TEST_P(DefaultTable, HoldsThePatternOfItsBaseLetter)
{
    static const MorseTable table = definitions::tableFromContent(definitions::defaultFileContent());
    EXPECT_EQ(table.pattern(static_cast<KeyCode>(GetParam().byte)), GetParam().pattern) << GetParam().byte;
}

INSTANTIATE_TEST_SUITE_P(
    , DefaultTable,
    testing::Values(DefaultEntry{'A', ".-"}, DefaultEntry{'a', ".-"}, DefaultEntry{0xE0, ".-"},
                    DefaultEntry{0xE5, ".-"}, DefaultEntry{0xE9, "."}, DefaultEntry{0x80, "."},
                    DefaultEntry{0xC7, "-.-."}, DefaultEntry{0x8A, "..."}, DefaultEntry{0x9F, "-.--"},
                    DefaultEntry{'0', "-----"}, DefaultEntry{'9', "----."}, DefaultEntry{'?', "..--.."},
                    DefaultEntry{'<', ".-..."}, DefaultEntry{'*', "...-.-"}, DefaultEntry{'$', "........"},
                    DefaultEntry{'@', ".--.-."}, DefaultEntry{' ', " "}, DefaultEntry{13, " "}, DefaultEntry{10, ""},
                    DefaultEntry{0, ""}, DefaultEntry{'!', ""}, DefaultEntry{'-', ""}, DefaultEntry{'(', ""},
                    DefaultEntry{';', ""}, DefaultEntry{0xFF, "-.--"}, DefaultEntry{0xC6, ""}),
    [](const testing::TestParamInfo<DefaultEntry>& row) { return "Byte" + std::to_string(row.param.byte); });

TEST(DefaultDefinitions, ThreeDigitLinesPutTheirCommentInColumnSixteen)
{
    const auto& lines = definitions::defaultLines();
    const auto find = [&](std::string_view start) {
        return *std::find_if(lines.begin(), lines.end(), [&](std::string_view l) { return l.starts_with(start); });
    };
    EXPECT_EQ(find("192="), "192=\".-\"       ; A majuscule avec accent grave");
    EXPECT_EQ(find("128="), "128=\".\"        ; Euro");
    EXPECT_EQ(find("229="), "229=\".-\"       ; a minuscule avec accent rond scandinave (?)");
    EXPECT_EQ(find("236="), "236=\"..\"       ; I minuscule avec accent grave");
    EXPECT_EQ(find("\"$\""), "\"$\"=\"........\" ; erreur");
    EXPECT_EQ(find("013="), "013=\" \"        ; saut de ligne interprété comme un espace");
}

} // namespace
} // namespace brivo
