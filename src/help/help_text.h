#pragma once

#include <array>
#include <string_view>

namespace brivo::help {

inline constexpr std::string_view kFileName = "BRIVOhlp.rtf";
inline constexpr std::size_t kLineCount = 127;

// The help window's built-in text, one UTF-8 string a line; an empty line
// holds one blank.
const std::array<std::string_view, kLineCount>& builtInLines();

} // namespace brivo::help
