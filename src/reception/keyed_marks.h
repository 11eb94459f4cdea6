#pragma once

#include "audio/keying_timeline.h"
#include "common/key_code.h"
#include "morse/morse_table.h"

#include <optional>
#include <vector>

namespace brivo::reception {

// ARRL effective speed: with character speed c and effective speed s in
// words per minute of the same reference word (s < c), a word of W units
// holds 19 units of gaps and W - 19 of characters; the time added to a word,
// t_a = 60 / s - (W - 19) x 60 / (W c) seconds (for PARIS, W = 50, that is
// (60c - 37.2s) / (s c)), is shared by its gaps: 3 t_a / 19 between
// characters and 7 t_a / 19 between words. CODEX has W = 60.
struct ArrlGaps {
    double letter = 0; // seconds
    double word = 0;
};
ArrlGaps arrlGaps(double characterWpm, double effectiveWpm, int unitsPerWord = 50);

// The character speed in words per minute of the reference word of
// `unitsPerWord` units, for a unit of `unit` seconds.
double characterWpm(double unit, int unitsPerWord);

// One key-down, in seconds from the start of the file.
struct Mark {
    double start = 0;
    double end = 0;
};

struct KeyedMarks {
    std::vector<Mark> marks;
    double length = 0; // seconds, silences included
};

// The key-downs of the plain timeline (see walkTimeline) at `unit`
// seconds a unit. With an effective speed, every silence of three units or
// more between two key-downs, or before the first or after the last, lasts
// k x t_a / 19 for its k units instead (so 3 and 7 units give the ARRL
// letter and word gaps, both speeds counted in the word of `unitsPerWord`
// units); the message form's two framing units at each end
// keep their length. Times are accumulated in double precision.
KeyedMarks keyedMarks(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor, double unit,
                      std::optional<double> effectiveWpm, int unitsPerWord = 50);

} // namespace brivo::reception
