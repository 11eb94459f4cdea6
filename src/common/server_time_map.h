#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace brivo {

// Maps the X server's event times (milliseconds) to the monotonic clock
// (microseconds). The two clocks are tied at the first event, and again
// when they drift more than a second apart (a stall, a new server). An
// event without a time (0) takes `now`.
class ServerTimeMap {
public:
    std::int64_t micros(std::uint64_t timeMs, std::int64_t now)
    {
        if (timeMs == 0)
            return now;
        const std::int64_t mapped = static_cast<std::int64_t>(timeMs) * 1000;
        if (!offset_ || std::abs(now - (mapped + *offset_)) > 1'000'000)
            offset_ = now - mapped;
        return mapped + *offset_;
    }

private:
    std::optional<std::int64_t> offset_;
};

} // namespace brivo
