#pragma once

#include "morse/morse_table.h"

#include <string_view>

namespace brivo {

// Longest piece read as one line, the line feed included: longer lines are
// cut, and each further piece is parsed as a line of its own.
inline constexpr std::size_t kMaxPieceLength = 97;

// Parses one piece of a definition file into `table`. No scan runs past
// position 95 (a key starting at 94 ends at 96), pattern symbols come only
// from positions before 95, and a NUL is skipped like any other unnamed
// character. A valid key empties its entry before anything else is
// checked, so a line that breaks off after its key leaves that byte
// undefined.
void parseDefinitionLine(std::string_view line, MorseTable& table);

// Parses the whole content of a definition file: every CR is dropped, a
// Ctrl+Z ends the content, and lines are cut into pieces as above. Later
// lines override earlier ones.
void parseDefinitions(std::string_view content, MorseTable& table);

// The table given by a file content, starting from an empty table.
MorseTable tableFromContent(std::string_view content);

} // namespace brivo
