#include "sending/loopback.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace brivo::sending {

std::optional<double> loopbackDelayMs(const LoopbackCapture& capture, std::int64_t edgeMicros,
                                      std::int64_t windowMicros, int floor)
{
    const auto indexAt = [&](std::int64_t micros) { return (micros - capture.firstMicros) * capture.rate / 1'000'000; };
    const std::int64_t first = indexAt(edgeMicros);
    const std::int64_t last =
        std::min<std::int64_t>(indexAt(edgeMicros + windowMicros), static_cast<std::int64_t>(capture.samples.size()));
    if (first < 0 || first >= last)
        return std::nullopt;
    const auto begin = capture.samples.begin() + first;
    const auto end = capture.samples.begin() + last;
    int loudest = 0;
    for (auto s = begin; s != end; ++s)
        loudest = std::max(loudest, std::abs(static_cast<int>(*s)));
    if (loudest < floor)
        return std::nullopt;
    const auto rise =
        std::find_if(begin, end, [&](std::int16_t s) { return 4 * std::abs(static_cast<int>(s)) > loudest; });
    return static_cast<double>(rise - begin) * 1000.0 / capture.rate;
}

DelayStats delayStats(std::vector<double> delaysMs)
{
    if (delaysMs.empty())
        return {};
    std::sort(delaysMs.begin(), delaysMs.end());
    const auto n = delaysMs.size();
    const double mean = std::accumulate(delaysMs.begin(), delaysMs.end(), 0.0) / static_cast<double>(n);
    double square = 0;
    for (const double d : delaysMs)
        square += (d - mean) * (d - mean);
    return {delaysMs[n / 2], delaysMs[std::min(n - 1, n * 99 / 100)], std::sqrt(square / static_cast<double>(n))};
}

} // namespace brivo::sending
