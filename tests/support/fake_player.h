#pragma once

#include "player/wave_player.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace brivo::test {

// A wave player that records the calls it gets ("open" with the file's
// name, its whole path in openedPaths); its mode, position and length are
// set by the test, and open can be made to fail.
class FakePlayer : public WavePlayer {
public:
    Result<void> open(const std::filesystem::path& path) override
    {
        calls.push_back("open " + path.filename().string());
        openedPaths.push_back(path);
        if (!openError.empty())
            return fail(ErrorCode::DeviceFailed, openError);
        isOpen = true;
        currentMode = PlayerMode::Stopped;
        position = 0;
        return {};
    }
    Result<void> openLive(std::unique_ptr<PcmSource> /*source*/) override
    {
        calls.push_back("open live");
        return {};
    }
    void close() override
    {
        calls.push_back("close");
        isOpen = false;
    }
    bool play() override
    {
        if (!playFailure.empty())
            throw std::runtime_error(playFailure);
        return record("play", PlayerMode::Playing);
    }
    bool stop() override { return record("stop", PlayerMode::Stopped); }
    bool seekToStart() override
    {
        position = 0;
        return record("seek", PlayerMode::Stopped);
    }
    bool pauseOrResume() override
    {
        calls.push_back("pause");
        if (currentMode == PlayerMode::Playing || currentMode == PlayerMode::Paused)
            currentMode = currentMode == PlayerMode::Playing ? PlayerMode::Paused : PlayerMode::Playing;
        return true;
    }
    PlayerMode mode() const override
    {
        ++modeQueries;
        return currentMode;
    }
    std::uint32_t positionMs() const override { return position; }
    std::uint32_t lengthMs() const override { return length; }

    std::vector<std::string> calls;
    std::string openError;
    std::string playFailure; // play throws this, as a broken device might
    bool isOpen = false;
    PlayerMode currentMode = PlayerMode::NotReady;
    std::uint32_t position = 0;
    std::uint32_t length = 0;
    mutable int modeQueries = 0;
    std::vector<std::filesystem::path> openedPaths;

private:
    bool record(const char* call, PlayerMode next)
    {
        calls.emplace_back(call);
        currentMode = next;
        return true;
    }
};

} // namespace brivo::test
