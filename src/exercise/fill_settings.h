#pragma once

#include "common/control_range.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace brivo::exercise {

// The nine character series of the series page.
inline constexpr std::size_t kSeriesCount = 9;
using SeriesTexts = std::array<std::u32string, kSeriesCount>;
using SeriesTicks = std::array<bool, kSeriesCount>;

// Their texts at first start (UTF-8), and the one ticked then.
inline constexpr std::array<std::string_view, kSeriesCount> kInitialSeries = {
    "QSDFG", "HJKLM", "EIZOAP", "RUTYBN", "VCXW45", "01236789", ".,?/'", "=+<*@", "",
};
inline constexpr std::size_t kInitialTickedSeries = 0;
// Characters the user can type into a series; a restored one may be longer.
inline constexpr int kSeriesTypingLimit = 10;

// The counts of the two fill lines.
inline constexpr ControlRange kGroups{1, 100, 36};       // groups drawn from the series
inline constexpr ControlRange kGroupSize{1, 20, 5};      // characters per group
inline constexpr ControlRange kLetterGroups{0, 100, 30}; // five-letter groups
inline constexpr ControlRange kDigitGroups{0, 50, 6};    // five-digit groups

inline constexpr int kPatternCount = 9;

} // namespace brivo::exercise
