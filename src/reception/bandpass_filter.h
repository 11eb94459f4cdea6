#pragma once

#include "reception/reception_conditions.h"

#include <array>
#include <complex>
#include <vector>

namespace brivo::reception {

// A receiver's band-pass filter: an order-4 low-pass prototype (Butterworth,
// or Chebyshev with 0.5 dB of ripple) turned into an 8-pole band-pass
// centred on `centreHz`, `widthHz` wide between its band edges (the -3 dB
// points for Butterworth, the ripple edges for Chebyshev), through the
// bilinear transform with both edges prewarped. Four biquads in cascade,
// gain 1 at the top of the pass band.
class BandpassFilter {
public:
    static constexpr int kPrototypeOrder = 4;

    BandpassFilter(double centreHz, double widthHz, int sampleRate, FilterShape shape);

    double process(double x);
    // |H| at a frequency, for the tests and the display.
    double gainAt(double hz) const;
    // The slowest pole's decay time constant, seconds: the ringing.
    double ringingTimeConstant() const { return ringing_; }

private:
    struct Biquad {
        double b0 = 0, b2 = 0, a1 = 0, a2 = 0; // b1 is 0: zeros at z = 1 and z = -1
        double s1 = 0, s2 = 0;
    };
    std::array<Biquad, kPrototypeOrder> sections_;
    int sampleRate_;
    double ringing_ = 0;
};

} // namespace brivo::reception
