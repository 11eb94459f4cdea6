#include "editzone/rtf_reader.h"
#include "editzone/rtf_writer.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivo::editzone {
namespace {

using editzone::CharFormat;
using editzone::Document;

const std::string kFirst = "Le\xC3\xA7on 1 : CQ CQ DE F6 \xC3\xA9t\xC3\xA9 20 \xE2\x82\xAC";
const std::string kSecond = "Ligne\xE2\x80\xA8suivante lien";
const std::string kThirdStart = "PARIS barr\xC3\xA9 \xC5\x93 \xE2\x80\x9Cguillemets\xE2\x80\x9D \xCE\xA9";
const std::string kEmoji = " \xF0\x9F\x98\x80";

// The format of the run that holds `text`.
CharFormat formatOf(const Document& document, const std::string& text)
{
    for (const auto& paragraph : document.paragraphs) {
        for (const auto& run : paragraph.runs) {
            if (run.text.find(text) != std::string::npos)
                return run.format;
        }
    }
    ADD_FAILURE() << "no run holds " << text;
    return {};
}

// The same lesson saved by each program (tests/data/rtf/lecon.html and
// lecon.md are their sources). The hand-written file follows what the
// rich-text control of the other desktop writes; no such program runs here.
struct CorpusFile {
    const char* name;
    const char* file;
    std::string third; // the third paragraph (AbiWord drops a blank of it)
    bool styled;       // underline, colour and fonts came through (not from Markdown)
};

class RtfCorpus : public testing::TestWithParam<CorpusFile> {};

TEST_P(RtfCorpus, OpensWithItsTextAndFormatting)
{
    const auto read = readRtf(test::readBytes(std::filesystem::path(BRIVO_TEST_DATA_DIR) / "rtf" / GetParam().file));
    ASSERT_TRUE(read) << read.error().message;
    const auto& paragraphs = read->paragraphs;
    ASSERT_GE(paragraphs.size(), 3U);
    Document firstThree;
    firstThree.paragraphs.assign(paragraphs.begin(), paragraphs.begin() + 3);
    EXPECT_EQ(firstThree.plainText(), kFirst + "\n" + kSecond + "\n" + GetParam().third);
    for (std::size_t i = 3; i < paragraphs.size(); ++i)
        EXPECT_TRUE(paragraphs[i].runs.empty() ||
                    paragraphs[i].runs[0].text.find_first_not_of(' ') == std::string::npos);

    EXPECT_TRUE(formatOf(*read, "Le\xC3\xA7on 1").bold);
    EXPECT_FALSE(formatOf(*read, " F6 ").bold);
    EXPECT_TRUE(formatOf(*read, "CQ CQ").italic);
    EXPECT_TRUE(formatOf(*read, "barr").strikeOut);
    if (GetParam().styled) {
        EXPECT_TRUE(formatOf(*read, "DE").underline);
        EXPECT_EQ(formatOf(*read, "\xC3\xA9t\xC3\xA9").colour, std::optional<std::uint32_t>(0x0000FF));
        EXPECT_EQ(formatOf(*read, "PARIS").font, "Courier New");
        EXPECT_EQ(formatOf(*read, "PARIS").halfPoints, 28);
    }
}

INSTANTIATE_TEST_SUITE_P(, RtfCorpus,
                         testing::Values(CorpusFile{"LibreOffice", "libreoffice.rtf", kThirdStart + kEmoji, true},
                                         CorpusFile{"AbiWord", "abiword.rtf", kThirdStart + "\xF0\x9F\x98\x80 ", true},
                                         CorpusFile{"Pandoc", "pandoc.rtf", kThirdStart + kEmoji, false},
                                         CorpusFile{"RichEditStyle", "riched-handwritten.rtf", kThirdStart, true}),
                         test::CaseName());

struct ReadCase {
    const char* name;
    std::string rtf;
    std::string text;
};

class RtfReading : public testing::TestWithParam<ReadCase> {};

TEST_P(RtfReading, GivesTheText)
{
    const auto read = readRtf(GetParam().rtf);
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(read->plainText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    , RtfReading,
    testing::Values(ReadCase{"EscapedBracesAndBackslash", "{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d"},
                    ReadCase{"UnicodeFallbackIsSkipped", "{\\rtf1\\uc2 \\u8364XXb}",
                             "\xE2\x82\xAC"
                             "b"},
                    ReadCase{"FallbackCountEndsWithItsGroup", "{\\rtf1{\\uc3 \\u937 a}bc}",
                             "\xCE\xA9"
                             "bc"},
                    ReadCase{"NegativeUnicode", "{\\rtf1 \\u-4064?}", "\xEF\x80\xA0"},
                    ReadCase{"PictureAndBinaryAreSkipped", "{\\rtf1 a{\\pict\\bin4 }{}\\}b}", "ab"},
                    ReadCase{"UnknownIgnorableDestinationIsSkipped", "{\\rtf1 a{\\*\\foo b{c}}d}", "ad"},
                    ReadCase{"FieldGivesItsResult", "{\\rtf1 {\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}", "3"},
                    ReadCase{"InfoAndStylesheetAreNotText", "{\\rtf1{\\info{\\title T}}{\\stylesheet{N;}}x}", "x"},
                    ReadCase{"NewlinesInTheFileAreNotText", "{\\rtf1 a\r\nb\\\nc}", "ab\nc"},
                    ReadCase{"HugeNumbersAreBounded",
                             "{\\rtf1\\fs99999999999999999999 \\uc99999999999 a\\u99999999999 b}", "ab"},
                    ReadCase{"TextAfterTheLastGroupIsIgnored", "{\\rtf1 a}b", "a"},
                    ReadCase{"ControlCharactersAreNotText", "{\\rtf1 a\x01\\'02b\tc}", "ab\tc"},
                    ReadCase{"TableCellsAndRowsAreSeparated",
                             "{\\rtf1 \\trowd\\cellx1000\\cellx2000 A1\\cell B1\\cell\\row after\\page p\\sect s}",
                             "A1 B1\nafter\np\ns"}),
    test::CaseName());

TEST(RtfReader, RefusesWhatIsNotRtfOrNestsTooDeep)
{
    const auto plain = readRtf("Bonjour");
    ASSERT_FALSE(plain);
    EXPECT_EQ(plain.error().code, ErrorCode::BadFormat);
    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "}";
    EXPECT_FALSE(readRtf(deep));
}

// Saving then opening gives the same text and formatting, characters
// outside Windows-1252 included.
TEST(RtfWriter, RoundTripKeepsTextAndFormatting)
{
    Document document;
    CharFormat plain{"Courier New", 20, true, false, false, false, std::nullopt};
    CharFormat fancy{"Liberation Sans", 28, false, true, true, true, 0x00C08040};
    document.append("CQ {DE} \\ F6\t\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", plain);
    document.append("\xCE\xA9\xE2\x80\xA8\xF0\x9F\x98\x80 \xC5\x93\xEF\x82\x9F", fancy);
    document.newParagraph();
    document.newParagraph();
    document.append("fin", plain);
    const std::string rtf = writeRtf(document);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_EQ(rtf.find_first_of("\x80\xFF"), std::string::npos) << "RTF is 7-bit";
    EXPECT_NE(rtf.find("\\u-3937\\'3f"), std::string::npos) << "\\uN is signed 16-bit: U+F09F";
    const auto read = readRtf(rtf);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, document);
}

} // namespace
} // namespace brivo::editzone
