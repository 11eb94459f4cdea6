#pragma once

#include "editzone/rich_text.h"

#include <string>

namespace brivo::editzone {

// RTF 1.x of `document`: \ansi\ansicpg1252, a font table and a colour
// table, one group per run, \par between paragraphs. Characters outside
// Windows-1252 are written \uN with a "?" fallback (a surrogate pair above
// U+FFFF), so readers that know Unicode get them back and the others a "?".
std::string writeRtf(const Document& document);

} // namespace brivo::editzone
