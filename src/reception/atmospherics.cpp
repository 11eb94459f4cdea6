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
        const double length = random_.uniform(0.05, 1.0) * sampleRate_;
        const double level = reference_ * std::pow(10.0, random_.uniform(10, 40) / 20);
        crashes_.push_back(
            {nextCrash_, length, level, std::exp(-3 * (sample_ - nextCrash_) / length), std::exp(-3 / length)});
        nextCrash_ += random_.exponential(crashRate_) * sampleRate_;
    }
    if (!crashes_.empty()) {
        const double attack = 0.005 * sampleRate_;
        for (Crash& crash : crashes_) {
            const double t = sample_ - crash.start;
            value += crash.level * std::min(1.0, t / attack) * crash.fall * random_.gaussian();
            crash.fall *= crash.factor;
        }
        std::erase_if(crashes_, [this](const Crash& c) { return sample_ - c.start > 3 * c.length; });
    }
    sample_ += 1;
    return value;
}

void Atmospherics::addTo(double* out, std::size_t count)
{
    const double end = sample_ + static_cast<double>(count);
    if (crashes_.empty() && end <= nextImpulse_ && end <= nextCrash_) {
        sample_ = end;
        return;
    }
    // Events one sample at a time; between them the sounding crashes alone.
    const double attack = 0.005 * sampleRate_;
    for (std::size_t i = 0; i < count;) {
        if (sample_ >= nextImpulse_ || sample_ >= nextCrash_) {
            out[i++] += next();
            continue;
        }
        const double stop = std::min({end, std::ceil(nextImpulse_), std::ceil(nextCrash_)});
        const auto run = static_cast<std::size_t>(std::max(1.0, stop - sample_));
        for (Crash& crash : crashes_) {
            for (std::size_t j = 0; j < run; ++j) {
                const double t = sample_ + static_cast<double>(j) - crash.start;
                out[i + j] += crash.level * std::min(1.0, t / attack) * crash.fall * random_.gaussian();
                crash.fall *= crash.factor;
            }
        }
        sample_ += static_cast<double>(run);
        i += run;
        std::erase_if(crashes_, [this](const Crash& c) { return sample_ - c.start > 3 * c.length; });
    }
}

} // namespace brivo::reception
