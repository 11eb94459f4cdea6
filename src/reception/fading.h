#pragma once

#include "reception/band_random.h"

#include <complex>
#include <deque>
#include <vector>

namespace brivo::reception {

// Complex products written out: std::complex's operator* checks for
// infinities and NaNs at every call, which none of these values can be.
inline std::complex<double> product(std::complex<double> a, std::complex<double> b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}
inline double realOfProduct(std::complex<double> a, std::complex<double> b)
{
    return a.real() * b.real() - a.imag() * b.imag();
}

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
    std::complex<double> next()
    {
        // Between two control samples the gain moves by the same step.
        const std::complex<double> gain = gain_;
        gain_ += slope_;
        phase_ += step_;
        if (phase_ >= 1)
            crossControlSamples();
        return gain;
    }
    // Moves on `samples` samples without working out their gains (the same
    // control samples are drawn as by as many calls of next()).
    void skip(std::int64_t samples)
    {
        phase_ += step_ * static_cast<double>(samples);
        if (phase_ >= 1)
            crossControlSamples();
    }

private:
    std::complex<double> controlSample();
    void crossControlSamples();

    BandRandom& random_;
    std::vector<double> taps_;
    std::deque<std::complex<double>> history_;
    std::complex<double> fixed_;
    double scatter_;
    double step_;      // control samples per audio sample
    double phase_ = 0; // between the two control samples below
    std::complex<double> previous_;
    std::complex<double> following_;
    std::complex<double> gain_;  // at the next sample
    std::complex<double> slope_; // a sample's change of it
};

} // namespace brivo::reception
