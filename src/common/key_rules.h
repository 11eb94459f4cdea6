#pragma once

#include <cstdint>

namespace brivo::keys {

// The digit 1..9 of the main key block that a key press stands for, or 0.
// The digit row counts whatever the layout prints on it (AZERTY gives "&",
// "é", ... without Shift): on X11 its hardware key codes are 10..18. Without
// a hardware code, the toolkit's key code is taken; the numeric keypad never
// counts.
int mainBlockDigit(int qtKey, bool keypad, std::uint32_t nativeScanCode);

} // namespace brivo::keys
