#pragma once

#include "morse/morse_table.h"
#include "reception/band_random.h"
#include "reception/fading.h"
#include "reception/keying_envelope.h"
#include "reception/reception_conditions.h"

#include <complex>
#include <memory>
#include <string>
#include <vector>

namespace brivo::reception {

// A random exchange as stations on the air send it: a CQ, a report, a
// sign-off, with random calls ("CQ CQ DE F5ABC F5ABC K").
std::string randomExchange(BandRandom& random);

// Other stations (QRM): each offset from our tone by N(0, 150 Hz), at -10
// to +10 dB from our signal, at 15 to 40 WPM, with its own fading, sending
// random exchanges with pauses of 0.5 to 3 s from a random start until the
// end of the file.
class OtherStations {
public:
    OtherStations(int count, double toneHz, double amplitude, double lengthSeconds, int sampleRate,
                  const MorseTable& table, const ReceptionConditions& conditions, BandRandom& random);

    // Adds their signals to `out`, the `count` samples from sample `first`
    // on (blocks asked in order). A station costs nothing while its key is
    // up but its fading's control samples.
    void addTo(double* out, std::int64_t first, std::size_t count);

private:
    struct Station {
        std::unique_ptr<KeyingEnvelope> envelope;
        std::unique_ptr<Fading> fading;
        std::complex<double> turn{1, 0}; // one sample's rotation of the oscillator
        double angle = 0;                // the same, in radians
        std::complex<double> rotor{1, 0};
        double amplitude = 0;
    };
    std::vector<Station> stations_;
};

} // namespace brivo::reception
