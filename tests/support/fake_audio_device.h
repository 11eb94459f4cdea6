#pragma once

#include "player/audio_device.h"

#include <vector>

namespace brivo::test {

// A sound card driven by the test: deliver() makes it pull, as the real
// device's thread would, and keeps what it was given.
class FakeAudioDevice : public AudioDevice {
public:
    Result<void> open(int /*sampleRate*/, int channels, Pull pull) override
    {
        ++opens;
        channelCount = channels;
        pull_ = std::move(pull);
        return {};
    }
    void close() override
    {
        ++closes;
        pull_ = nullptr;
        running = false;
        gone = false;
    }
    void setRunning(bool value) override { running = value; }
    std::uint32_t bufferFrames() const override { return buffer; }
    bool lost() const override { return gone; }

    // One pull of `frames` frames, only while running (a stopped device
    // pulls nothing).
    std::vector<std::int16_t> deliver(std::size_t frames)
    {
        std::vector<std::int16_t> out(frames * static_cast<std::size_t>(channelCount), 1234);
        if (running && pull_) {
            pull_(out.data(), frames);
            played.insert(played.end(), out.begin(), out.end());
        }
        return out;
    }

    int opens = 0;
    int closes = 0;
    int channelCount = 1;
    bool running = false;
    bool gone = false; // the sound server went away
    std::uint32_t buffer = 100;
    std::vector<std::int16_t> played;

private:
    Pull pull_;
};

class FakeClock : public Clock {
public:
    double now() const override { return seconds; }
    double seconds = 1000.0;
};

} // namespace brivo::test
