#include "reception/receiver_agc.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace brivo::reception {
namespace {

constexpr double kFullScale = 32767;
constexpr double kKnee = 0.8 * kFullScale;
constexpr double kLookAheadSeconds = 0.005;
constexpr double kHoldSeconds = 1.0;
constexpr double kReleaseSeconds = 2.0;
// Noise and a steady carrier are measured by their power over about 10 ms,
// taken as a peak of four times their RMS (a Gaussian noise's peaks); a
// sharper peak (an impulse, a crash) counts for itself.
constexpr double kPowerSeconds = 0.010;
constexpr double kCrest = 4.0;
// Within 2 dB of the level, the signal counts as present.
constexpr double kHangMargin = 0.8;

} // namespace

double softLimit(double value)
{
    const double size = std::abs(value);
    if (size <= kKnee)
        return value;
    const double bent = kKnee + (kFullScale - 1 - kKnee) * std::tanh((size - kKnee) / (kFullScale - 1 - kKnee));
    return std::copysign(bent, value);
}

ReceiverAgc::ReceiverAgc(double targetPeak, int sampleRate)
    : targetPeak_(targetPeak), delay_(static_cast<std::size_t>(std::max(1.0, kLookAheadSeconds * sampleRate))),
      attack_(1 - std::exp(-5.0 / static_cast<double>(delay_))),
      release_(1 - std::exp(-1.0 / (kReleaseSeconds * sampleRate))),
      power_(1 - std::exp(-1.0 / (kPowerSeconds * sampleRate))),
      hold_(static_cast<std::int64_t>(kHoldSeconds * sampleRate)), mask_(std::bit_ceil(delay_ + 2) - 1),
      line_(mask_ + 1, 0.0), peaks_(mask_ + 1)
{}

bool ReceiverAgc::process(double in, double& out)
{
    const std::size_t now = written_++;
    line_[now & mask_] = in;
    // The largest |x| among the samples of the look-ahead (the one leaving
    // now and the delay_ after it): a queue of falling peaks, in a ring.
    const double magnitude = std::abs(in);
    while (peakBack_ > peakFront_ && peaks_[(peakBack_ - 1) & mask_].second <= magnitude)
        --peakBack_;
    peaks_[peakBack_++ & mask_] = {now, magnitude};
    if (peaks_[peakFront_ & mask_].first + delay_ + 1 <= now)
        ++peakFront_;
    meanSquare_ += (in * in - meanSquare_) * power_;
    // The power moves over about 10 ms: its root is taken every 4 samples.
    if ((now & 3U) == 0)
        rmsPeak_ = kCrest * std::sqrt(meanSquare_);
    const double ahead = std::max(peaks_[peakFront_ & mask_].second, rmsPeak_);
    if (ahead >= level_)
        level_ += (ahead - level_) * attack_; // down in the look-ahead: reached when the peak comes out
    if (ahead >= kHangMargin * level_)
        holdLeft_ = hold_; // the signal is still there: the gain holds
    else if (holdLeft_ > 0)
        --holdLeft_;
    else
        level_ += (ahead - level_) * release_;
    if (now < delay_)
        return false;
    const double gain = level_ > targetPeak_ ? targetPeak_ / level_ : 1.0;
    out = softLimit(gain * line_[(now - delay_) & mask_]);
    return true;
}

} // namespace brivo::reception
