#include "reception/atmospherics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brivo::reception {

Atmospherics::Atmospherics(double impulseRate, double crashRate, double reference, int sampleRate, BandRandom& random)
    : random_(random), impulseRate_(impulseRate), crashRate_(crashRate), reference_(reference), sampleRate_(sampleRate)
{
    constexpr double never = std::numeric_limits<double>::infinity();
    nextImpulse_ = impulseRate > 0 ? random_.exponential(impulseRate) * sampleRate_ : never;
    nextCrash_ = crashRate > 0 ? random_.exponential(crashRate) * sampleRate_ : never;
}

double Atmospherics::next()
{
    double value = 0;
    // Several impulses may fall on one sample at high rates.
    while (sample_ >= nextImpulse_) {
        const double level = reference_ * 10 * std::exp(0.8 * random_.gaussian());
        value += random_.uniform() < 0.5 ? -level : level;
        ++impulses_;
        nextImpulse_ += random_.exponential(impulseRate_) * sampleRate_;
    }
    while (sample_ >= nextCrash_) {
        crashes_.push_back({nextCrash_, random_.uniform(0.05, 1.0) * sampleRate_,
                            reference_ * std::pow(10.0, random_.uniform(10, 40) / 20)});
        nextCrash_ += random_.exponential(crashRate_) * sampleRate_;
    }
    const double attack = 0.005 * sampleRate_;
    for (const Crash& crash : crashes_) {
        const double t = sample_ - crash.start;
        const double shape = std::min(1.0, t / attack) * std::exp(-3 * t / crash.length);
        value += crash.level * shape * random_.gaussian();
    }
    std::erase_if(crashes_, [this](const Crash& c) { return sample_ - c.start > 3 * c.length; });
    sample_ += 1;
    return value;
}

} // namespace brivo::reception
