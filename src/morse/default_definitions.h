#pragma once

#include <array>
#include <string>
#include <string_view>

namespace brivo {

inline constexpr std::string_view kDefinitionFileName = "Codmorse.INI";
inline constexpr std::size_t kDefaultDefinitionLineCount = 141;

// The built-in text of the definition file, one UTF-8 string per line (the
// lines of the hidden memo of the main window).
const std::array<std::string_view, kDefaultDefinitionLineCount>& defaultDefinitionLines();

// The built-in text as it is written to disk: Windows-1252, each line
// followed by CR LF (3,373 bytes).
std::string defaultDefinitionContent();

} // namespace brivo
