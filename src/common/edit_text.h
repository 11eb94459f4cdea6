#pragma once

#include "common/key_code.h"

#include <string_view>

namespace brivo {

// Key codes of a text as the edit zone holds it: every line break (LF, CR
// LF, a lone CR, or the Unicode line and paragraph separators) becomes CR
// LF, and each other character its Windows-1252 byte, or kUnencodable.
KeyedText keyedTextFromUtf8(std::string_view text);

} // namespace brivo
