#include "export/track_cuts.h"

#include "common/messages.h"
#include "common/number_text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace brivo::exporting {
namespace {

constexpr KeyCode kBlank = 0x20;
constexpr KeyCode kLineBreak = 0x0D; // the CR of a CR LF

// A place a track may start: in the silence before the `marksBefore`-th
// key-down, at a blank or a line break.
struct Gap {
    std::size_t marksBefore = 0;
    bool lineBreak = false;
};

std::vector<Gap> gapsOf(const KeyedText& text, const MorseTable& table)
{
    std::vector<Gap> gaps;
    std::size_t marks = 0;
    for (const KeyCode code : text) {
        if (code == kBlank || code == kLineBreak)
            gaps.push_back({marks, code == kLineBreak});
        for (const char symbol : table.pattern(code))
            marks += symbol == '.' || symbol == '-' ? 1 : 0;
    }
    return gaps;
}

} // namespace

Result<std::vector<std::uint64_t>> trackStarts(const KeyedText& text, const MorseTable& table,
                                               const reception::KeyedMarks& marks, int sampleRate,
                                               std::uint64_t totalSamples, const SplitSpec& split)
{
    std::vector<std::uint64_t> starts{0};
    if (split.mode == SplitSpec::Mode::None)
        return starts;
    const std::vector<reception::Mark>& keyed = marks.marks;
    const auto sampleAt = [&](double seconds) {
        return std::min<std::uint64_t>(static_cast<std::uint64_t>(std::llround(seconds * sampleRate)), totalSamples);
    };
    double trackStart = 0;
    for (const Gap& gap : gapsOf(text, table)) {
        // Only a silence with key-downs on both sides starts a track.
        if (gap.marksBefore == 0 || gap.marksBefore >= keyed.size())
            continue;
        const double middle = (keyed[gap.marksBefore - 1].end + keyed[gap.marksBefore].start) / 2;
        const bool cut =
            split.mode == SplitSpec::Mode::Lines ? gap.lineBreak : middle - trackStart >= split.minutes * 60;
        if (!cut || sampleAt(middle) <= starts.back())
            continue;
        starts.push_back(sampleAt(middle));
        trackStart = middle;
    }
    if (starts.size() < 2) {
        if (split.mode == SplitSpec::Mode::Lines)
            return fail(ErrorCode::Refused, std::string(messages::kOneLineOneTrack));
        return fail(ErrorCode::Refused, messages::tooShortToSplit(decimalText(split.minutes)));
    }
    return starts;
}

} // namespace brivo::exporting
