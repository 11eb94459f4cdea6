#pragma once

#include "practice/material/material.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::practice {

// The built-in common words of a language (about 500), upper case, most
// frequent first, no word twice.
const std::vector<std::u32string>& commonWords(Language language);

// How a built-in French word is written in French, for a voice to say it:
// lower case, with its accents ("ETE" is "été", "COEUR" "cœur"); the word
// in lower case when it has none; nothing for a word not in the list.
std::optional<std::string> frenchSpelling(std::u32string_view word);

// Where Debian's word list of the language is installed (wfrench,
// wamerican).
std::string dictionaryPath(Language language);

// The words of a system word list (one a line, as /usr/share/dict's): the
// lower-case words of 2 to 10 letters with a vowel, accents dropped and in
// upper case, without those already in `known`, in the file's order. Names,
// units' symbols ("km"), forms with an apostrophe or a hyphen and anything
// else are left out.
std::vector<std::u32string> dictionaryWords(std::string_view utf8Text, const std::vector<std::u32string>& known);

// The words of the system word list of the language beyond the built-in
// ones; none when it is not installed or cannot be read.
std::vector<std::u32string> systemDictionaryWords(Language language);

} // namespace brivo::practice
