#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brivo {

// Windows-1252, the program's 8-bit code page. The five bytes that code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of
// the same value, so every byte decodes and re-encodes to itself.
char32_t cp1252ToUnicode(unsigned char byte);

// The byte for a code point, or nothing when the code page lacks it.
std::optional<unsigned char> unicodeToCp1252(char32_t codePoint);

// UTF-8 text of a Windows-1252 byte string.
std::string cp1252ToUtf8(std::string_view bytes);

// Windows-1252 bytes of UTF-8 text; characters the code page lacks are
// replaced by `fallback`. Invalid UTF-8 sequences count as unencodable.
std::string utf8ToCp1252(std::string_view text, char fallback = '?');

} // namespace brivo
