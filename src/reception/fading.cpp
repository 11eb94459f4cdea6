#include "reception/fading.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brivo::reception {

Fading::Fading(double spreadHz, double k, int sampleRate, BandRandom& random) : random_(random)
{
    const double controlRate = std::max(50.0, 20 * spreadHz);
    step_ = controlRate / sampleRate;
    // Power spectrum exp(-f^2 / 2 sd^2) with sd = spread / 2: the filter's
    // impulse response is a Gaussian of sd_t = 1 / (2 sqrt(2) pi sd) seconds.
    const double sdHz = spreadHz / 2;
    const double sdTaps = controlRate / (2 * std::numbers::sqrt2 * std::numbers::pi * sdHz);
    const int half = static_cast<int>(std::ceil(4 * sdTaps));
    double energy = 0;
    for (int i = -half; i <= half; ++i) {
        const double tap = std::exp(-0.5 * (i / sdTaps) * (i / sdTaps));
        taps_.push_back(tap);
        energy += tap * tap;
    }
    for (double& tap : taps_)
        tap /= std::sqrt(energy);
    for (std::size_t i = 0; i < taps_.size(); ++i)
        history_.emplace_back(random_.gaussian() / std::numbers::sqrt2, random_.gaussian() / std::numbers::sqrt2);
    const double angle = 2 * std::numbers::pi * random_.uniform();
    fixed_ = std::polar(std::sqrt(k / (k + 1)), angle);
    scatter_ = std::sqrt(1 / (k + 1));
    previous_ = controlSample();
    following_ = controlSample();
    slope_ = (following_ - previous_) * step_;
    gain_ = previous_;
}

std::complex<double> Fading::controlSample()
{
    history_.pop_front();
    history_.emplace_back(random_.gaussian() / std::numbers::sqrt2, random_.gaussian() / std::numbers::sqrt2);
    std::complex<double> sum = 0;
    for (std::size_t i = 0; i < taps_.size(); ++i)
        sum += taps_[i] * history_[i];
    return fixed_ + scatter_ * sum;
}

void Fading::crossControlSamples()
{
    while (phase_ >= 1) {
        phase_ -= 1;
        previous_ = following_;
        following_ = controlSample();
    }
    slope_ = (following_ - previous_) * step_;
    gain_ = previous_ + (following_ - previous_) * phase_;
}

} // namespace brivo::reception
