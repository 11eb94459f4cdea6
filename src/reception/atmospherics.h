#pragma once

#include "reception/band_random.h"

#include <vector>

namespace brivo::reception {

// Atmospheric noise (QRN), added before the receiver's filter so that the
// filter rings on it; levels are against `reference`, an amplitude: impulses at Poisson times, `impulseRate` a second,
// one sample each, log-normal in level (median 20 dB over `reference`,
// spread 0.8 neper); and crashes at `crashRate` a second, 50 to 1000 ms of
// Gaussian noise at +10 to +40 dB over `reference`, rising in 5 ms and
// dying away exponentially.
class Atmospherics {
public:
    Atmospherics(double impulseRate, double crashRate, double reference, int sampleRate, BandRandom& random);

    double next();
    // Adds the next `count` samples to `out`: nothing to work out between
    // events when no crash is sounding.
    void addTo(double* out, std::size_t count);
    // Impulses given so far.
    long impulses() const { return impulses_; }

private:
    struct Crash {
        double start;  // samples
        double length; // samples
        double level;
        double fall;   // exp(-3 t / length) at the next sample
        double factor; // its ratio from one sample to the next
    };

    BandRandom& random_;
    double impulseRate_;
    double crashRate_;
    double reference_;
    double sampleRate_;
    double nextImpulse_ = 0; // samples
    double nextCrash_ = 0;
    std::vector<Crash> crashes_;
    double sample_ = 0;
    long impulses_ = 0;
};

} // namespace brivo::reception
