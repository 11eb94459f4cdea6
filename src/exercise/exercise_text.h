#pragma once

#include "common/random_generator.h"
#include "exercise/fill_settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace brivo::exercise {

inline constexpr std::u32string_view kLetters = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::u32string_view kDigits = U"0123456789";
inline constexpr std::u32string_view kMixed = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// Every text below is one line of groups, each followed by one blank. Each
// character costs one draw of the generator, taken modulo the size of its
// pool, in the order the characters stand in the text.

// The pool of the series mode: the whole text of every ticked series, in
// series order. A character that stands twice stays twice.
std::u32string seriesPool(const SeriesTexts& series, const SeriesTicks& ticked);

// `groups` groups of `perGroup` characters from `pool`; nothing when the pool
// is empty.
std::optional<std::u32string> seriesFill(std::u32string_view pool, int groups, int perGroup, RandomGenerator& random);

// `letterGroups` five-letter groups, then `digitGroups` five-digit groups;
// nothing when both are 0.
std::optional<std::u32string> lettersAndDigitsFill(int letterGroups, int digitGroups, RandomGenerator& random);

// The text of pattern `number` (1..9).
std::u32string pattern(int number, RandomGenerator& random);

} // namespace brivo::exercise
