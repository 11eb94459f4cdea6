#pragma once

#include "common/random_generator.h"
#include "practice/material/material.h"

#include <optional>
#include <string>

namespace brivo::practice {

// A whole contact between two stations in the operators' abbreviated
// style: the call, the answer, then each side's report, name and town, the
// rig, the antenna and the weather, and the sign-off, in French or in
// English, with the table's procedure signals. Under the filter, every part
// that is not needed is left out when it uses a character the filter does
// not allow; the call, the answer, the reports and the sign-off are needed.
// Nothing when they cannot be written with the allowed characters.
std::optional<std::u32string> drawQso(const MaterialSources& sources, const CharacterFilter& filter,
                                      RandomGenerator& random);

} // namespace brivo::practice
