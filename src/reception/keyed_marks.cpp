#include "reception/keyed_marks.h"

namespace brivo::reception {

ArrlGaps arrlGaps(double characterWpm, double effectiveWpm)
{
    const double c = characterWpm;
    const double s = effectiveWpm;
    const double added = (60 * c - 37.2 * s) / (s * c);
    return {3 * added / 19, 7 * added / 19};
}

KeyedMarks keyedMarks(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor, double unit,
                      std::optional<double> effectiveWpm)
{
    // PARIS timing: a word of 50 units lasts 60 / c seconds.
    const double characterWpm = 1.2 / unit;
    const double perGapUnit = effectiveWpm ? arrlGaps(characterWpm, *effectiveWpm).letter / 3 : unit;
    const auto silence = [&](int units) { return units >= 3 ? units * perGapUnit : units * unit; };

    KeyedMarks out;
    double time = form == RenderForm::Message ? 2 * unit : 0;
    int pendingGap = 0;
    walkTimeline(text, table, RenderForm::Live, spacingFactor, [&](Element element) {
        if (element == Element::Gap) {
            ++pendingGap;
            return true;
        }
        time += silence(pendingGap);
        pendingGap = 0;
        const double end = time + unitsOf(element) * unit;
        out.marks.push_back({time, end});
        time = end;
        return true;
    });
    time += silence(pendingGap);
    out.length = time + (form == RenderForm::Message ? 2 * unit : 0);
    return out;
}

} // namespace brivo::reception
