#pragma once

#include "common/result.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace brivo {

// The sound card's input through SDL2, mono 16-bit, kept in memory with
// the monotonic time of its first sample (the first buffer's arrival less
// its length).
class SdlCapture {
public:
    SdlCapture() = default;
    ~SdlCapture();
    SdlCapture(const SdlCapture&) = delete;
    SdlCapture& operator=(const SdlCapture&) = delete;

    // Fails (DeviceFailed, French message) when there is no input.
    Result<void> open(int sampleRate);
    void setRunning(bool running);
    // What was heard so far, and when its first sample came in (steady
    // clock, microseconds; -1 before anything came).
    std::vector<std::int16_t> samples() const;
    std::int64_t firstMicros() const;

private:
    static void callback(void* self, std::uint8_t* stream, int length);

    std::uint32_t device_ = 0;
    int rate_ = 0;
    bool subsystemStarted_ = false;
    mutable std::mutex lock_;
    std::vector<std::int16_t> samples_;
    std::int64_t firstMicros_ = -1;
};

} // namespace brivo
