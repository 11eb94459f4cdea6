#pragma once

#include "reception/keyed_marks.h"

#include <cstdint>
#include <optional>

namespace brivo::reception {

// A character speed that moves linearly over the text, from the render's
// own speed to `toWpm`.
struct SpeedRamp {
    double toWpm = 0;
    int sampleRate = 0; // every part of the ramped render is a whole number of samples at this rate
};

// The speed, in words per minute, of a part that starts `unitsBefore` units
// into a plain timeline of `totalUnits` units.
double rampedWpm(double fromWpm, double toWpm, std::uint64_t unitsBefore, std::uint64_t totalUnits);

// The key-downs of keyedMarks with the speed ramped: each key-down, and each
// run of silent units, lasts its units at the speed where it starts (as
// counted on the plain timeline), rounded to a whole sample; the effective
// speed, when set, moves in proportion. So the length is the sum of its
// parts, to the sample.
KeyedMarks rampedMarks(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor, double unit,
                       std::optional<double> effectiveWpm, int unitsPerWord, SpeedRamp ramp);

} // namespace brivo::reception
