#pragma once

#include <cstdint>
#include <vector>

namespace brivo::practice {

// Graduations of a time axis from `first` to `last` (seconds since 1970):
// the step is the shortest of a fixed ladder (a minute .. a year) that
// gives at most `maxTicks` ticks, and every tick is a whole multiple of the
// step in the local time that `utcOffset` (seconds east of UTC) gives, so
// days start at local midnight. Ticks lie within [first, last], ascending;
// none when last < first.
struct TimeAxis {
    std::int64_t step = 0; // seconds
    std::vector<std::int64_t> ticks;
};
TimeAxis timeAxis(std::int64_t first, std::int64_t last, int maxTicks, std::int64_t utcOffset = 0);

} // namespace brivo::practice
