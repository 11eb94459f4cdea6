#pragma once

#include "common/number_text.h"
#include "common/result.h"

#include <optional>
#include <string>

namespace brivo::reception {

// The shape of the keying envelope's ramps.
enum class EnvelopeShape { BlackmanHarris, RaisedCosine, Linear, Hard };
enum class FilterShape { Butterworth, Chebyshev };

// What a receiver adds to the clean render. Every field off (the default)
// leaves the plain render untouched, byte for byte.
struct ReceptionConditions {
    // ARRL effective speed in words per minute, below the character speed;
    // it replaces the letter-gap factor.
    std::optional<double> effectiveWpm;
    // Keying envelope: shape and 10-90 % rise time (1 to 15 ms). Set alone,
    // or implied at its defaults by any other condition.
    std::optional<EnvelopeShape> shape;
    std::optional<double> riseMs;
    // Gaussian noise: SNR in dB over 500 Hz (-15 to +40).
    std::optional<double> snrDb;
    // Receiver filter centred on the tone, 100 to 2400 Hz wide.
    std::optional<double> filterHz;
    FilterShape filterShape = FilterShape::Butterworth;
    // Fading (QSB): Doppler spread in Hz (0.02 to 2; 10 to 30 for
    // flutter) and Rician K-factor (0 is pure Rayleigh).
    std::optional<double> qsbHz;
    double qsbK = 0;
    // Atmospherics: impulses per second (0 to 200) and crashes per second
    // (0 to 1).
    double qrnRate = 0;
    double crashRate = 0;
    // Other stations, 0 to 5.
    int qrm = 0;
    // Chirp: offset at key-down in Hz (-150 to +150), decay in ms (5 to 50).
    double chirpHz = 0;
    double chirpTauMs = 20;
    // Speed ramp: the character speed (and the effective speed with it)
    // moves linearly over the text to this one, in words per minute.
    std::optional<double> rampToWpm;

    // True when anything differs from the plain render.
    bool any() const
    {
        return effectiveWpm || shape || riseMs || snrDb || filterHz || qsbHz || qrnRate > 0 || crashRate > 0 ||
               qrm > 0 || chirpHz != 0 || rampToWpm;
    }
};

inline constexpr double kDefaultRiseMs = 5;

// The presets of the conditions window, in its order: "Bande calme",
// "Fading lent", "Soir d'hiver sur 40 m", "Contest".
inline constexpr int kPresetCount = 4;
ReceptionConditions presetConditions(int index);

inline constexpr double kFlutterHz = 20;

// The end speeds a ramp may reach, in words per minute.
struct WpmRange {
    double lowest;
    double highest;
};
inline constexpr WpmRange kRampWpm{3.5, 60};

// Checks every range, and the conditions against the sound settings:
// effective speed needs a letter-gap factor of 1 and must be below the
// character speed; the ramp's end speed lies in kRampWpm; SNR and a souffle that its caption shows (2 %
// and up; position 1 reads 0 %) exclude each other.
// Refused (Refused, French message naming the value).
Result<void> checkConditions(const ReceptionConditions& conditions, double characterWpm, int spacingFactor,
                             int noisePosition);

} // namespace brivo::reception
