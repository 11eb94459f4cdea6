#include "sending/sidetone.h"

#include "reception/keying_envelope.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brivo::sending {

Sidetone::Sidetone(int sampleRate, double toneHz, double amplitude, double riseMs, Clock clock)
    : rate_(sampleRate), turn_(2 * std::numbers::pi * toneHz / sampleRate), amplitude_(amplitude),
      rampStep_(1 / std::max(1.0, reception::rampLength(reception::EnvelopeShape::BlackmanHarris, riseMs / 1000) *
                                      sampleRate)),
      clock_(std::move(clock))
{}

void Sidetone::schedule(const KeyEdge& edge)
{
    const std::lock_guard guard(lock_);
    edges_.push_back(edge);
}

std::size_t Sidetone::read(std::uint64_t /*first*/, std::int16_t* out, std::size_t count)
{
    const std::int64_t now = clock_();
    const std::lock_guard guard(lock_);
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t at = now + static_cast<std::int64_t>(static_cast<double>(i) * 1e6 / rate_);
        while (!edges_.empty() && edges_.front().micros <= at) {
            down_ = edges_.front().down;
            edges_.pop_front();
        }
        level_ = std::clamp(level_ + (down_ ? rampStep_ : -rampStep_), 0.0, 1.0);
        const double shaped = reception::rampValue(reception::EnvelopeShape::BlackmanHarris, level_);
        out[i] = static_cast<std::int16_t>(std::lround(amplitude_ * shaped * std::sin(phase_)));
        phase_ = std::fmod(phase_ + turn_, 2 * std::numbers::pi);
    }
    return count;
}

} // namespace brivo::sending
