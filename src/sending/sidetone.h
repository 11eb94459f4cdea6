#pragma once

#include "player/pcm_source.h"
#include "sending/key_edge.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

namespace brivo::sending {

// The tone the trainee hears while keying: an endless source for the
// player that is already awake, not a rendered file. Each sample it gives
// is keyed by the key edges scheduled for its time (the clock's time of
// the pull, then one sample after another), so an edge that has arrived is
// heard from the device's next pull, with no fill ahead of it. Each
// key-down rises and each key-up falls with the clean envelope of the
// reception conditions (Blackman-Harris, a rise time of `riseMs` from 10 to
// 90 %), on a phase-continuous tone.
class Sidetone : public PcmSource {
public:
    using Clock = std::function<std::int64_t()>; // monotonic microseconds

    Sidetone(int sampleRate, double toneHz, double amplitude, double riseMs, Clock clock);

    // From any thread: the key goes down or up at `edge.micros`.
    void schedule(const KeyEdge& edge);

    int sampleRate() const override { return rate_; }
    int channels() const override { return 1; }
    // Endless, as far as a player counts (months at 48 kHz).
    std::uint64_t frames() const override { return std::uint64_t{1} << 40U; }
    std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) override;

private:
    int rate_;
    double turn_;
    double amplitude_;
    double rampStep_;
    Clock clock_;
    std::mutex lock_;
    std::deque<KeyEdge> edges_;
    bool down_ = false;
    double level_ = 0; // 0 .. 1 along the ramp
    double phase_ = 0;
};

} // namespace brivo::sending
