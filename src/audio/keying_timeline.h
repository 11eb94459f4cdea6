#pragma once

#include "common/key_code.h"
#include "morse/morse_table.h"

#include <cstdint>

namespace brivo {

enum class Element { Dot, Dash, Gap };

enum class RenderForm {
    Message, // two silent units before and after the text
    Live,    // the text alone
};

// Length of an element in units: a dash is 3, a dot and a silent unit 1.
constexpr int unitsOf(Element element)
{
    return element == Element::Dash ? 3 : 1;
}

// Calls `emit(Element)` for every block of the keying timeline of `text`, in
// order: a dot or a dash is followed by one silent unit, a blank symbol is two
// silent units, and every byte but 0 ends with 2 x `spacingFactor` silent
// units (none when the factor is 0 or less), even a byte without a pattern.
// Byte 0 gives neither sound nor gap. `emit` returns false to stop the walk;
// the function then returns false.
template <typename Emit>
bool walkTimeline(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor, Emit&& emit)
{
    const auto silence = [&](int units) {
        for (int i = 0; i < units; ++i) {
            if (!emit(Element::Gap))
                return false;
        }
        return true;
    };
    if (form == RenderForm::Message && !silence(2))
        return false;
    for (const KeyCode code : text) {
        if (code == 0)
            continue;
        for (const char symbol : table.pattern(code)) {
            bool ok = true;
            if (symbol == '.')
                ok = emit(Element::Dot) && emit(Element::Gap);
            else if (symbol == '-')
                ok = emit(Element::Dash) && emit(Element::Gap);
            else
                ok = silence(2);
            if (!ok)
                return false;
        }
        if (spacingFactor > 0 && !silence(2 * spacingFactor))
            return false;
    }
    return form == RenderForm::Live || silence(2);
}

// Number of units the timeline of `text` lasts.
std::uint64_t timelineUnits(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor);

} // namespace brivo
