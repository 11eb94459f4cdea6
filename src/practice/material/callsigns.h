#pragma once

#include "common/random_generator.h"
#include "practice/material/material.h"

#include <optional>
#include <string>
#include <string_view>

namespace brivo::practice {

// Amateur callsigns as they are built: a prefix of the ITU series allocated
// to a country, a digit, and a suffix of one to three letters (a one-letter
// prefix takes two or three). The countries most heard on the air are the
// most likely. Now and then the call is portable: "/P", "/M", "/QRP", or
// another country's prefix before a "/".
struct Callsign {
    std::u32string call;
    std::size_t country = 0; // where it is heard from (the visited country of a visitor), for its towns
};

// A call made of characters the filter allows; nothing when no prefix,
// digit or letter the call needs is allowed.
std::optional<Callsign> drawCallsign(const CharacterFilter& filter, RandomGenerator& random);

// A town of the call's country, upper case, when one is allowed.
std::optional<std::u32string> townOf(const Callsign& call, const CharacterFilter& filter, RandomGenerator& random);

// Draws one of `options` that the filter allows, uniformly.
std::optional<std::u32string> pickAllowed(const std::vector<std::u32string_view>& options,
                                          const CharacterFilter& filter, RandomGenerator& random);

} // namespace brivo::practice
