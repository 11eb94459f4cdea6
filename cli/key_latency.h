#pragma once

#include "common/result.h"
#include "sending/loopback.h"

#include <functional>

namespace brivo::cli {

// The loop-back check of the sidetone on a real card: pulses keyed on the
// sidetone through the sound output, heard back on the input through a
// cable, each timed from its key edge to the rise that came back.
struct LatencyResult {
    sending::DelayStats stats;
    int sent = 0;
    int heard = 0;
};
using LatencyCheck = std::function<Result<LatencyResult>(int pulses, int rate)>;

// The check on SDL's output and input. Fails (DeviceFailed) without an
// input, or (Refused) when no pulse came back.
Result<LatencyResult> measureSoundCardLatency(int pulses, int rate);

} // namespace brivo::cli
