#include "practice/time_axis.h"

#include <algorithm>
#include <array>

namespace brivo::practice {

namespace {

constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kDay = 24 * kHour;
constexpr std::array<std::int64_t, 17> kSteps = {
    kMinute,  5 * kMinute, 15 * kMinute, 30 * kMinute, kHour,     3 * kHour,  6 * kHour,  12 * kHour, kDay,
    2 * kDay, 7 * kDay,    14 * kDay,    30 * kDay,    91 * kDay, 182 * kDay, 365 * kDay, 3650 * kDay};

// The first multiple of `step` at or after `t`, counted in local time.
std::int64_t ceilTo(std::int64_t t, std::int64_t step, std::int64_t offset)
{
    const std::int64_t local = t + offset;
    const std::int64_t down = local >= 0 ? local / step * step : -((-local + step - 1) / step) * step;
    return (down < local ? down + step : down) - offset;
}

} // namespace

TimeAxis timeAxis(std::int64_t first, std::int64_t last, int maxTicks, std::int64_t utcOffset)
{
    TimeAxis axis;
    if (last < first || maxTicks < 1)
        return axis;
    const std::int64_t span = last - first;
    const auto fits = [&](std::int64_t step) { return span / step + 1 <= maxTicks; };
    const auto* step = std::find_if(kSteps.begin(), kSteps.end(), fits);
    axis.step = step == kSteps.end() ? kSteps.back() * (span / kSteps.back() / maxTicks + 1) : *step;
    for (std::int64_t t = ceilTo(first, axis.step, utcOffset); t <= last; t += axis.step)
        axis.ticks.push_back(t);
    return axis;
}

} // namespace brivo::practice
