#pragma once

#include "reception/band_random.h"

#include <complex>
#include <deque>
#include <vector>

namespace brivo::reception {

// A fading path's complex gain (Watterson): a fixed part of power K / (K+1)
// and a scattered part of power 1 / (K+1), complex Gaussian with a Gaussian
// Doppler spectrum whose spread (twice its standard deviation) is
// `spreadHz`. Mean power 1; with K = 0 the amplitude is Rayleigh. The
// scattered part is drawn at a control rate of 20 x the spread (50 Hz at
// least) through a Gaussian filter, and interpolated to the sample rate.
class Fading {
public:
    Fading(double spreadHz, double k, int sampleRate, BandRandom& random);

    // The gain at the next sample.
    std::complex<double> next();

private:
    std::complex<double> controlSample();

    BandRandom& random_;
    std::vector<double> taps_;
    std::deque<std::complex<double>> history_;
    std::complex<double> fixed_;
    double scatter_;
    double step_;      // control samples per audio sample
    double phase_ = 0; // between the two control samples below
    std::complex<double> previous_;
    std::complex<double> following_;
};

} // namespace brivo::reception
