#pragma once

#include <string>
#include <vector>

namespace brivo::practice {

// The words BRIVO gives a trainee to send: the built-in common words of
// French and English and the abbreviations of the air, upper case.
std::vector<std::u32string> sendingVocabulary();

} // namespace brivo::practice
