#include "reception/speed_ramp.h"

#include <cmath>

namespace brivo::reception {

double rampedWpm(double fromWpm, double toWpm, std::uint64_t unitsBefore, std::uint64_t totalUnits)
{
    if (totalUnits == 0)
        return fromWpm;
    return fromWpm + (toWpm - fromWpm) * static_cast<double>(unitsBefore) / static_cast<double>(totalUnits);
}

KeyedMarks rampedMarks(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor, double unit,
                       std::optional<double> effectiveWpm, int unitsPerWord, SpeedRamp ramp)
{
    const double fromWpm = characterWpm(unit, unitsPerWord);
    const double gapUnit =
        effectiveWpm ? arrlGaps(fromWpm, *effectiveWpm, unitsPerWord).letter / 3 : unit; // at the start speed
    const std::uint64_t totalUnits = timelineUnits(text, table, form, spacingFactor);
    const auto rate = static_cast<double>(ramp.sampleRate);

    std::uint64_t unitsBefore = 0; // on the plain timeline
    std::int64_t samples = 0;      // of the ramped render
    // Lasts `units` plain units from here; the framing units and silences
    // under three units are never stretched by the effective speed.
    const auto advance = [&](int units, bool stretched) {
        const double slowing = fromWpm / rampedWpm(fromWpm, ramp.toWpm, unitsBefore, totalUnits);
        samples += std::llround(units * (stretched ? gapUnit : unit) * slowing * rate);
        unitsBefore += static_cast<std::uint64_t>(units);
    };
    const auto seconds = [&] { return static_cast<double>(samples) / rate; };

    KeyedMarks out;
    if (form == RenderForm::Message)
        advance(2, false);
    int pendingGap = 0;
    walkTimeline(text, table, RenderForm::Live, spacingFactor, [&](Element element) {
        if (element == Element::Gap) {
            ++pendingGap;
            return true;
        }
        if (pendingGap > 0)
            advance(pendingGap, pendingGap >= 3);
        pendingGap = 0;
        const double start = seconds();
        advance(unitsOf(element), false);
        out.marks.push_back({start, seconds()});
        return true;
    });
    if (pendingGap > 0)
        advance(pendingGap, pendingGap >= 3);
    if (form == RenderForm::Message)
        advance(2, false);
    out.length = seconds();
    return out;
}

} // namespace brivo::reception
