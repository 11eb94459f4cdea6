#include "reception/keyed_marks.h"

namespace brivo::reception {

ArrlGaps arrlGaps(double characterWpm, double effectiveWpm, int unitsPerWord)
{
    constexpr int kGapUnits = 19;
    const double w = unitsPerWord;
    const double added = 60 / effectiveWpm - (w - kGapUnits) * 60 / (w * characterWpm);
    return {3 * added / kGapUnits, 7 * added / kGapUnits};
}

double characterWpm(double unit, int unitsPerWord)
{
    return 60 / (unitsPerWord * unit);
}

KeyedMarks keyedMarks(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor, double unit,
                      std::optional<double> effectiveWpm, int unitsPerWord)
{
    const double perGapUnit =
        effectiveWpm ? arrlGaps(characterWpm(unit, unitsPerWord), *effectiveWpm, unitsPerWord).letter / 3 : unit;
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
