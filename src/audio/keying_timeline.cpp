#include "audio/keying_timeline.h"

namespace brivo {

std::uint64_t timelineUnits(const KeyedText& text, const MorseTable& table, RenderForm form, int spacingFactor)
{
    std::uint64_t units = 0;
    walkTimeline(text, table, form, spacingFactor, [&units](Element element) {
        units += static_cast<std::uint64_t>(unitsOf(element));
        return true;
    });
    return units;
}

} // namespace brivo
