#pragma once

#include "reception/reception_conditions.h"

#include <string>
#include <string_view>

namespace brivo::reception {

// The conditions as one line of "name=value" words, in the names and units
// of brivo-render's options ("snr=5 filter=250 filter-shape=chebyshev
// qsb=0,1"); only what is set is written.
std::string conditionsText(const ReceptionConditions& conditions);

// Reads such a line back. An unknown word or a value that is not a number
// is skipped; ranges are left to checkConditions.
ReceptionConditions parseConditionsText(std::string_view text);

} // namespace brivo::reception
