#include "player/sdl_audio_device.h"

#include "common/messages.h"

#include <SDL.h>
#include <chrono>

namespace brivo {

SdlAudioDevice::~SdlAudioDevice()
{
    close();
    if (subsystemStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::uint16_t SdlAudioDevice::bufferFramesFor(int sampleRate)
{
    std::uint16_t frames = 16;
    while (frames * 2 <= sampleRate / 125)
        frames = static_cast<std::uint16_t>(frames * 2);
    return frames;
}

Result<void> SdlAudioDevice::open(int sampleRate, int channels, Pull pull)
{
    close();
    if (!subsystemStarted_) {
        // The program handles SIGINT and SIGTERM itself (its settings are
        // saved on the way out); SDL's own handlers would swallow them.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return fail(ErrorCode::DeviceFailed, std::string(messages::kNoAudio) + SDL_GetError());
        subsystemStarted_ = true;
    }
    pull_ = std::move(pull);
    channels_ = channels;
    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<std::uint8_t>(channels);
    wanted.samples = bufferFramesFor(sampleRate);
    wanted.callback = &SdlAudioDevice::callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        pull_ = nullptr;
        return fail(ErrorCode::DeviceFailed, std::string(messages::kAudioOpenFailed) + SDL_GetError());
    }
    bufferFrames_ = obtained.samples;
    ++openCount_;
    return {};
}

void SdlAudioDevice::close()
{
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_); // waits for the device's thread
        device_ = 0;
    }
    pull_ = nullptr;
}

void SdlAudioDevice::setRunning(bool running)
{
    if (device_ != 0)
        SDL_PauseAudioDevice(device_, running ? 0 : 1);
}

bool SdlAudioDevice::lost() const
{
    // SDL reports a disconnected device as stopped; an open one is playing
    // or paused.
    return device_ != 0 && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
}

std::string SdlAudioDevice::driverName() const
{
    const char* name = SDL_GetCurrentAudioDriver();
    return name != nullptr ? name : "";
}

void SdlAudioDevice::callback(void* self, std::uint8_t* stream, int length)
{
    auto* device = static_cast<SdlAudioDevice*>(self);
    const auto frames =
        static_cast<std::size_t>(length) / (sizeof(std::int16_t) * static_cast<std::size_t>(device->channels_));
    device->pull_(reinterpret_cast<std::int16_t*>(stream), frames);
}

double SteadyClock::now() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace brivo
