#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace brivo::sending {

// What the sound card's input heard: its samples (mono) and the monotonic
// time of the first one.
struct LoopbackCapture {
    std::vector<std::int16_t> samples;
    int rate = 11025;
    std::int64_t firstMicros = 0;
};

// The delay (ms) from a key-down at `edgeMicros` to its tone coming back:
// the first sample from the edge on, within `windowMicros`, past a quarter
// of the loudest in that window. Nothing when the window is quieter than
// `floor` (the tone never came back) or lies outside the capture.
std::optional<double> loopbackDelayMs(const LoopbackCapture& capture, std::int64_t edgeMicros,
                                      std::int64_t windowMicros, int floor = 1000);

// The median, the 99th percentile and the standard deviation of delays.
struct DelayStats {
    double medianMs = 0;
    double p99Ms = 0;
    double spreadMs = 0;
};
DelayStats delayStats(std::vector<double> delaysMs);

} // namespace brivo::sending
