#pragma once

#include <chrono>
#include <cstdint>

namespace brivo {

// Microseconds of the monotonic clock (CLOCK_MONOTONIC, which
// std::chrono::steady_clock reads): the clock every key edge, sidetone
// sample and captured buffer is stamped with.
inline std::int64_t monotonicMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace brivo
