#pragma once

#include <array>
#include <string>
#include <string_view>

namespace brivo::definitions {

inline constexpr std::string_view kFileName = "Codmorse.INI";
inline constexpr std::size_t kDefaultLineCount = 141;

// The built-in text of the definition file, one UTF-8 string per line (the
// lines of the hidden memo of the main window).
const std::array<std::string_view, kDefaultLineCount>& defaultLines();

// The built-in text as it is written to disk: Windows-1252, each line
// followed by CR LF (3,373 bytes).
std::string defaultFileContent();

} // namespace brivo::definitions
