#pragma once

#include <cstdint>
#include <string_view>

namespace brivo {

// Key codes as the toolkit reports them: letters are their upper-case
// ASCII codes, F1 .. F12 follow kF1.
inline constexpr int kF1 = 0x01000030;
inline constexpr int kF12 = kF1 + 11;

// The digit 1..9 of the main key block that a key press stands for, or 0.
// The digit row counts whatever the layout prints on it (AZERTY gives "&",
// "é", ... without Shift): on X11 its hardware key codes are 10..18. Without
// a hardware code, the toolkit's key code is taken; the numeric keypad never
// counts.
int mainBlockDigit(int qtKey, bool keypad, std::uint32_t nativeScanCode);

// What the window's key handler does with Alt and a key.
enum class AltAction { None, SoundPage, SeriesPage, CharactersPage, ToggleReferenceWord, ToggleMask };
AltAction altAction(int key);

// What it does with Ctrl and a key: a pattern, the help window, the copy
// check (K), the reception conditions (J), or the focus to a control (named as in the window), the sound
// page made active first when `soundPageFirst`.
struct CtrlAction {
    enum class Kind { None, Pattern, Help, CopyCheck, Conditions, Course, Sending, Drills, Export, Focus };
    Kind kind = Kind::None;
    int pattern = 0;
    std::string_view control;
    bool soundPageFirst = false;
};
// `digit` is the main-block digit of the key (mainBlockDigit), 0 for none.
CtrlAction ctrlAction(int key, int digit);

} // namespace brivo
