#include "practice/weak_characters.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brivo::practice {

std::u32string weakCharacterSeries(const std::map<char32_t, CharacterCount>& recent)
{
    struct Weak {
        char32_t character;
        double rate;
    };
    std::vector<Weak> weak;
    for (const auto& [character, count] : recent) {
        if (count.wrong > 0 && count.sent > 0)
            weak.push_back({character, std::min(1.0, static_cast<double>(count.wrong) / count.sent)});
    }
    // Stable: equal rates stay in code order.
    std::stable_sort(weak.begin(), weak.end(), [](const Weak& a, const Weak& b) { return a.rate > b.rate; });
    std::u32string series;
    for (const Weak& w : weak) {
        const auto times = static_cast<std::size_t>(1 + std::lround(4 * w.rate));
        series.append(times, w.character);
    }
    if (series.size() > kMaxDrillCharacters)
        series.resize(kMaxDrillCharacters);
    return series;
}

} // namespace brivo::practice
