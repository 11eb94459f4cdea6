#pragma once

#include "common/result.h"

#include <cstdint>
#include <functional>

namespace brivo {

// The sound card, as the player sees it: opened at a file's own format, it
// pulls frames from the player on its own thread while running.
class AudioDevice {
public:
    // Fills `frames` frames at `out`; called on the device's thread.
    using Pull = std::function<void(std::int16_t* out, std::size_t frames)>;

    virtual ~AudioDevice() = default;

    // Fails with DeviceFailed and the reason in French.
    virtual Result<void> open(int sampleRate, int channels, Pull pull) = 0;
    virtual void close() = 0;
    // Starts or stops pulling; stopped after open.
    virtual void setRunning(bool running) = 0;
    // Frames the device holds between a pull and the loudspeaker.
    virtual std::uint32_t bufferFrames() const = 0;
    // True once the open device is gone for good (the sound server went
    // away): it takes no more samples, and only a new open can sound again.
    virtual bool lost() const = 0;
};

// Monotonic seconds.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

} // namespace brivo
