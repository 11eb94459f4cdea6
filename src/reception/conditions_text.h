#pragma once

#include "reception/reception_conditions.h"

#include <string>
#include <string_view>
#include <vector>

namespace brivo::reception {

// The conditions as one line of "name=value" words, in the names and units
// of brivo-render's options ("snr=5 filter=250 filter-shape=chebyshev
// qsb=0,1"); only what is set is written.
std::string conditionsText(const ReceptionConditions& conditions);

// Reads such a line back. An unknown word or a value that is not a number
// is skipped, and added to `skipped` when given; ranges are left to
// checkConditions.
ReceptionConditions parseConditionsText(std::string_view text, std::vector<std::string>* skipped = nullptr);

} // namespace brivo::reception
