#pragma once

#include "common/random_generator.h"

#include <cstdint>
#include <random>

namespace brivo::reception {

// The random numbers of the reception conditions: a Mersenne twister (its
// sequence is fixed by the C++ standard) seeded from two draws of the
// render's own generator, so a render's seed gives the same file anywhere.
class BandRandom {
public:
    explicit BandRandom(RandomGenerator& seedSource)
        : engine_((std::uint64_t{seedSource.next()} << 31) ^ seedSource.next())
    {}
    explicit BandRandom(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // Standard normal (Marsaglia's polar method, both values used).
    double gaussian();
    // Seconds to the next event of a Poisson process of `rate` per second.
    double exponential(double rate);

private:
    std::mt19937_64 engine_;
    bool haveSpare_ = false;
    double spare_ = 0;
};

} // namespace brivo::reception
