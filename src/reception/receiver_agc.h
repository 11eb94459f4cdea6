#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace brivo::reception {

// A receiver's automatic gain control, after its filter, with a look-ahead
// so that no peak gets through before the gain has come down: the gain
// falls in a few milliseconds ahead of a louder signal, holds about a
// second (through the gaps of a keyed text, so the noise does not swell
// between characters), then rises slowly. It never amplifies (the gain is
// at most 1) and aims the peaks at `targetPeak`. A soft limit then bends
// what is left above 80 % of full scale, so no sample is stuck at +-32767.
//
// Samples come out `delay()` samples after they went in.
class ReceiverAgc {
public:
    ReceiverAgc(double targetPeak, int sampleRate);

    // Takes one sample; gives the sample of `delay()` samples earlier, once
    // that many have gone in.
    bool process(double in, double& out);
    std::size_t delay() const { return delay_; }

private:
    double targetPeak_;
    std::size_t delay_;
    double attack_;  // per-sample smoothing of a falling gain
    double release_; // per-sample smoothing of a rising gain
    double power_;   // per-sample smoothing of the mean square
    double rmsPeak_ = 0;
    double meanSquare_ = 0;
    std::int64_t hold_;
    std::size_t mask_;         // the rings hold a power of two of entries, more than delay_ + 1
    std::vector<double> line_; // the delayed samples, a ring indexed by the sample's number
    std::size_t written_ = 0;
    std::vector<std::pair<std::size_t, double>> peaks_; // falling window maximum of |x|, a ring
    std::size_t peakFront_ = 0;                         // counted from the start, taken modulo the ring
    std::size_t peakBack_ = 0;
    double level_ = 0; // the envelope the gain follows
    std::int64_t holdLeft_ = 0;
};

// The soft limit alone: unchanged to 80 % of full scale, then bent towards
// 32767 without reaching it.
double softLimit(double value);

} // namespace brivo::reception
