#include "common/cp1252.h"
#include "common/edit_text.h"
#include "common/utf8.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

// Every byte decodes and encodes back to itself, the letters Windows puts
// in 0x80..0x9F included; what the code page lacks has no byte.
TEST(Cp1252, EveryByteRoundTripsAndOtherCharactersHaveNone)
{
    for (int byte = 0; byte < 256; ++byte) {
        const auto back = unicodeToCp1252(cp1252ToUnicode(static_cast<unsigned char>(byte)));
        ASSERT_TRUE(back.has_value()) << byte;
        EXPECT_EQ(*back, byte);
    }
    EXPECT_EQ(cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(cp1252ToUnicode(0x8C), U'\u0152');
    EXPECT_EQ(cp1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(cp1252ToUnicode(0xE9), U'\u00E9');
    for (const char32_t outside : {U'\u0080', U'\u03B1', U'\U0001F600'})
        EXPECT_FALSE(unicodeToCp1252(outside).has_value()) << static_cast<std::uint32_t>(outside);
}

TEST(Utf8, RejectsMalformedSequences)
{
    EXPECT_TRUE(isValidUtf8("plain \xC3\xA9t\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_FALSE(isValidUtf8("\xE9t\xE9"));        // Windows-1252 bytes
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));         // cut short
}

TEST(Utf8, TextFilesAreUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(textFileToUtf8("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(textFileToUtf8("\xE9t\xE9 \x80"), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    // UTF-16 with its byte-order mark, either way round, surrogates paired.
    using namespace std::string_literals;
    EXPECT_EQ(textFileToUtf8("\xFF\xFE"
                             "C\0\xE9\0\x3D\xD8\x00\xDE"s),
              "C\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(textFileToUtf8("\xFE\xFF"
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
