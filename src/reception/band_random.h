#pragma once

#include "common/random_generator.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace brivo::reception {

// The random numbers of the reception conditions: xoshiro256** (its
// sequence is fixed by its definition, so a render's seed gives the same
// file anywhere), seeded through SplitMix64 from two draws of the render's
// own generator.
class BandRandom {
public:
    explicit BandRandom(RandomGenerator& seedSource)
        : BandRandom((std::uint64_t{seedSource.next()} << 31) ^ seedSource.next())
    {}
    explicit BandRandom(std::uint64_t seed);

    std::uint64_t bits()
    {
        const std::uint64_t result = rotate(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17U;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotate(state_[3], 45);
        return result;
    }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(bits() >> 11U) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // Standard normal, by Marsaglia and Tsang's ziggurat of 128 layers: one
    // draw, a multiplication and a comparison in 98 cases out of 100.
    double gaussian()
    {
        const std::uint64_t draw = bits();
        const auto layer = static_cast<std::size_t>(draw & 127U);
        // 53 bits of a signed value in (-1, 1), the sign from bit 7.
        const double u =
            static_cast<double>(static_cast<std::int64_t>(draw >> 8U) - (std::int64_t{1} << 55U)) * 0x1.0p-55;
        const double x = u * width_[layer];
        if (std::abs(u) < ratio_[layer])
            return x;
        return gaussianTail(layer, x);
    }
    // Seconds to the next event of a Poisson process of `rate` per second.
    double exponential(double rate);

private:
    static std::uint64_t rotate(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    double gaussianTail(std::size_t layer, double x);

    std::array<std::uint64_t, 4> state_{};
    // The ziggurat's layer widths and the share of each inside the curve.
    const double* width_;
    const double* ratio_;
};

} // namespace brivo::reception
