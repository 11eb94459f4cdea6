#include "common/cp1252.h"
#include "common/edit_text.h"
#include "common/utf8.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

TEST(Cp1252, EveryByteDecodesAndEncodesToItself)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t codePoint = cp1252::toUnicode(static_cast<unsigned char>(byte));
        const auto back = cp1252::fromUnicode(codePoint);
        ASSERT_TRUE(back.has_value()) << byte;
        EXPECT_EQ(*back, byte);
    }
}

struct CodePointCase {
    const char* name;
    char32_t codePoint;
    int byte; // -1: not in the code page
};

class Cp1252CodePoints : public testing::TestWithParam<CodePointCase> {};

TEST_P(Cp1252CodePoints, MapsLikeWindows)
{
    const auto result = cp1252::fromUnicode(GetParam().codePoint);
    if (GetParam().byte < 0)
        EXPECT_FALSE(result.has_value());
    else
        EXPECT_EQ(result, std::optional<unsigned char>(static_cast<unsigned char>(GetParam().byte)));
}

INSTANTIATE_TEST_SUITE_P(, Cp1252CodePoints,
                         testing::Values(CodePointCase{"Euro", 0x20AC, 0x80}, CodePointCase{"OE", 0x0152, 0x8C},
                                         CodePointCase{"YDiaeresis", 0x0178, 0x9F}, CodePointCase{"EAcute", 0xE9, 0xE9},
                                         CodePointCase{"LatinOneControl", 0x0080, -1},
                                         CodePointCase{"Greek", 0x03B1, -1}, CodePointCase{"Emoji", 0x1F600, -1}),
                         test::CaseName());

TEST(Utf8, RejectsMalformedSequences)
{
    EXPECT_TRUE(utf8::isValid("plain \xC3\xA9t\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_FALSE(utf8::isValid("\xE9t\xE9"));        // Windows-1252 bytes
    EXPECT_FALSE(utf8::isValid("\xC0\xAF"));         // overlong
    EXPECT_FALSE(utf8::isValid("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(utf8::isValid("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(utf8::isValid("\xE2\x82"));         // cut short
}

TEST(Utf8, TextFilesAreUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(utf8::textFileToUtf8("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(utf8::textFileToUtf8("\xE9t\xE9 \x80"), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    // UTF-16 with its byte-order mark, either way round, surrogates paired.
    using namespace std::string_literals;
    EXPECT_EQ(utf8::textFileToUtf8("\xFF\xFE"
                                   "C\0\xE9\0\x3D\xD8\x00\xDE"s),
              "C\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8::textFileToUtf8("\xFE\xFF"
                                   "\0C\0\xE9\xD8\x3D"s),
              "C\xC3\xA9\xEF\xBF\xBD");
}

// Every line break is keyed as CR LF; a character outside the code page as
// the unencodable key.
TEST(EditText, LineBreaksAndCharactersOutsideTheCodePage)
{
    const KeyedText breaks = {'A', '\r', '\n', 'B', '\r', '\n', 'C', '\r', '\n', 'D', '\r', '\n', '\r', '\n'};
    EXPECT_EQ(keyedTextFromUtf8("A\nB\r\nC\rD\xE2\x80\xA8\n"), breaks);
    const KeyedText outside = {0xE9, kUnencodable, 0x80, 0};
    EXPECT_EQ(keyedTextFromUtf8(std::string("\xC3\xA9\xCE\xB1\xE2\x82\xAC\0", 8)), outside);
}

} // namespace
} // namespace brivo
