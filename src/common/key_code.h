#pragma once

#include <cstdint>
#include <vector>

namespace brivo {

// One character as the renderer keys it: a Windows-1252 byte 0..255, or
// kUnencodable for a character that code page cannot hold. An unencodable
// character is keyed like a byte without a pattern (its character gap only).
using KeyCode = std::uint16_t;
inline constexpr KeyCode kUnencodable = 256;

using KeyedText = std::vector<KeyCode>;

} // namespace brivo
