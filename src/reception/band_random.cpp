#include "reception/band_random.h"

#include <cmath>
#include <numbers>

namespace brivo::reception {

double BandRandom::gaussian()
{
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_;
    }
    const double radius = std::sqrt(-2 * std::log(1 - uniform()));
    const double angle = 2 * std::numbers::pi * uniform();
    spare_ = radius * std::sin(angle);
    haveSpare_ = true;
    return radius * std::cos(angle);
}

double BandRandom::exponential(double rate)
{
    return -std::log(1 - uniform()) / rate;
}

} // namespace brivo::reception
