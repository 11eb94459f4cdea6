#pragma once

#include "common/result.h"
#include "editzone/rich_text.h"

#include <string_view>

namespace brivo::editzone {

// True when `bytes` begin as an RTF file does ("{\rtf").
bool looksLikeRtf(std::string_view bytes);

// Groups nested deeper than this are refused.
inline constexpr std::size_t kMaxRtfDepth = 256;

// Reads what word processors write as RTF 1.x: the font and colour tables,
// \'hh in Windows-1252, \uN with its \ucN fallback, \par \line \tab,
// bold, italic, underline, strike-out, size, font and colour, fields (their
// result), and skips style sheets, information, pictures, objects, \bin
// data and every ignorable \* destination. Linear in the input; numbers
// are kept within bounds. Fails with BadFormat (French message) when the
// bytes are not RTF or nest too deep.
Result<Document> readRtf(std::string_view bytes);

} // namespace brivo::editzone
