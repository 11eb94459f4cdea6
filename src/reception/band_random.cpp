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
    // Marsaglia's polar form of Box-Muller: a point drawn in the unit disc
    // gives two values, with no sine or cosine to compute.
    double u = 0;
    double v = 0;
    double s = 0;
    do {
        u = 2 * uniform() - 1;
        v = 2 * uniform() - 1;
        s = u * u + v * v;
    } while (s >= 1 || s == 0);
    const double factor = std::sqrt(-2 * std::log(s) / s);
    spare_ = v * factor;
    haveSpare_ = true;
    return u * factor;
}

double BandRandom::exponential(double rate)
{
    return -std::log(1 - uniform()) / rate;
}

} // namespace brivo::reception
