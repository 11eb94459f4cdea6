#pragma once

#include "player/audio_device.h"

#include <cstdint>
#include <string>

namespace brivo {

// The sound card through SDL2's audio subsystem (PipeWire, PulseAudio,
// ALSA, or SDL's dummy and disk drivers). Opened at the file's own format;
// SDL converts where the card needs another.
class SdlAudioDevice final : public AudioDevice {
public:
    // Frames per device buffer for a sample rate: the largest power of two
    // that lasts at most 8 ms (64 frames at 11025 Hz, 5.8 ms), so that a
    // live character starts within a few milliseconds.
    static std::uint16_t bufferFramesFor(int sampleRate);

    SdlAudioDevice() = default;
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    Result<void> open(int sampleRate, int channels, Pull pull) override;
    void close() override;
    void setRunning(bool running) override;
    std::uint32_t bufferFrames() const override { return bufferFrames_; }
    bool lost() const override;

    // The driver SDL chose, empty before the first open.
    std::string driverName() const;
    // How many times the output was opened.
    int openCount() const { return openCount_; }

private:
    static void callback(void* self, std::uint8_t* stream, int length);

    std::uint32_t device_ = 0;
    int channels_ = 1;
    std::uint32_t bufferFrames_ = 0;
    Pull pull_;
    bool subsystemStarted_ = false;
    int openCount_ = 0;
};

// The steady clock of the standard library.
class SteadyClock : public Clock {
public:
    double now() const override;
};

} // namespace brivo
