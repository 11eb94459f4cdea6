#pragma once

#include <algorithm>
#include <array>

namespace brivo::editzone {

// The display sizes the edit zone offers, in percent of the sizes its text
// keeps in files, on the clipboard and in the settings.
inline constexpr std::array<int, 5> kTextScales{100, 125, 150, 200, 300};

// `percent` when it is one of kTextScales, else 100.
constexpr int validTextScale(int percent)
{
    return std::ranges::find(kTextScales, percent) != kTextScales.end() ? percent : 100;
}

} // namespace brivo::editzone
