#pragma once

#include "practice/copy_check.h"

#include <string>
#include <string_view>

namespace brivo::cli {

// The check as brivo-check prints it for a reader: score, counts, the two
// texts aligned (a gap shown as "·") with "^" under each error, and the
// table of the sent characters.
std::string checkText(const practice::CopyCheck& check);

// A text as a JSON string, quotes included.
std::string jsonText(std::u32string_view text);

// The check as one JSON object: score, distance, sent_chars, substitutions,
// deletions, insertions, per_char {"A": {"sent": n, "wrong": k}} and
// confusions [{"sent": "I", "copied": "X", "count": n}].
std::string checkJson(const practice::CopyCheck& check);

} // namespace brivo::cli
