#pragma once

#include "practice/copy_check.h"

#include <map>
#include <string>

namespace brivo::practice {

// How many recent checks the drill looks at, and how long it may be.
inline constexpr int kRecentChecks = 10;
inline constexpr std::size_t kMaxDrillCharacters = 40;

// The drill series for the counts of the recent checks: every character
// with an error, the highest error rate first (then in code order), each
// written 1 + round(4 x rate) times, cut at kMaxDrillCharacters. Empty when
// nothing was wrong.
std::u32string weakCharacterSeries(const std::map<char32_t, CharacterCount>& recent);

} // namespace brivo::practice
