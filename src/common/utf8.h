#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brivo {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Code points of well-formed UTF-8; each malformed sequence gives U+FFFD.
std::u32string decodeUtf8(std::string_view bytes);

void appendUtf8(std::string& out, char32_t codePoint);
std::string encodeUtf8(std::u32string_view codePoints);

// Text of a plain-text file: UTF-8 when the bytes are valid UTF-8 (a leading
// byte-order mark is dropped), Windows-1252 otherwise. Returns UTF-8.
std::string textFileToUtf8(std::string_view bytes);

} // namespace brivo
