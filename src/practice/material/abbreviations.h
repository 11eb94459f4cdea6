#pragma once

#include <string_view>
#include <vector>

namespace brivo::practice {

// An abbreviation or Q-code of CW contacts, with its meaning in French
// (shown to the trainee, never keyed).
struct Abbreviation {
    std::u32string_view text;
    std::string_view meaning;
};

// The abbreviations most used on the air, the commonest first.
const std::vector<Abbreviation>& abbreviations();

} // namespace brivo::practice
