#pragma once

#include <string>

namespace brivo {

// Numbers as the program writes them, the same whatever the user's locale.

// At most six significant digits, trailing zeros dropped: "0,1", "-3,5",
// "250" (with a '.' separator: "0.1").
std::string decimalText(double value, char separator = ',');

// The shortest text that reads back as the very same double, with a '.':
// for settings lines.
std::string exactText(double value);

// With exactly `digits` decimals: "94.50" (or "94,50").
std::string fixedText(double value, int digits, char separator = '.');

} // namespace brivo
