#pragma once

#include <cstdint>

namespace brivo {

// The program's one pseudo-random sequence: a 64-bit linear congruential
// generator. The random fill, the patterns and the noise of every render all
// draw from the same object, so a seed and a sequence of actions always give
// the same texts and the same WAV bytes.
class RandomGenerator {
public:
    static constexpr std::uint64_t kMultiplier = 0x0000015A00004E35ULL;

    explicit RandomGenerator(std::uint64_t state = 0) : state_(state) {}

    // Seeds from a calendar time in seconds: its low 32 bits, high half zero.
    void seed(std::int64_t secondsSinceEpoch)
    {
        state_ = static_cast<std::uint64_t>(secondsSinceEpoch) & 0xFFFFFFFFULL;
    }

    // Advances the state and returns a value in 0 .. 2147483647.
    std::uint32_t next()
    {
        state_ = state_ * kMultiplier + 1; // modulo 2^64 by unsigned wrap-around
        return static_cast<std::uint32_t>(state_ >> 32) & 0x7FFFFFFFU;
    }

    // One draw reduced modulo `size` (size > 0), as every user of the
    // sequence takes it.
    std::uint32_t below(std::uint32_t size) { return next() % size; }

    std::uint64_t state() const { return state_; }

private:
    std::uint64_t state_;
};

} // namespace brivo
