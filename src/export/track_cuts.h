#pragma once

#include "common/key_code.h"
#include "common/result.h"
#include "morse/morse_table.h"
#include "reception/keyed_marks.h"

#include <cstdint>
#include <vector>

namespace brivo::exporting {

// How an export is split into tracks: not at all, at the first word gap
// after every `minutes` of a track, or at every line break.
struct SplitSpec {
    enum class Mode { None, Minutes, Lines };
    Mode mode = Mode::None;
    double minutes = 0;

    bool operator==(const SplitSpec&) const = default;
};

// The first sample of each track of a render of `text` (0 first), cut in
// the middle of the silence around a blank or a line break, never inside a
// character: `marks` are the render's key-downs and `totalSamples` its
// length at `sampleRate`. Refused (Refused, French message) when the split
// is larger than the text: fewer than two tracks would come out.
Result<std::vector<std::uint64_t>> trackStarts(const KeyedText& text, const MorseTable& table,
                                               const reception::KeyedMarks& marks, int sampleRate,
                                               std::uint64_t totalSamples, const SplitSpec& split);

} // namespace brivo::exporting
