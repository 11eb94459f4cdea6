#include "player/sdl_capture.h"

#include "common/messages.h"
#include "common/monotonic_clock.h"

#include <SDL.h>
#include <cstring>

namespace brivo {

SdlCapture::~SdlCapture()
{
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    if (subsystemStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Result<void> SdlCapture::open(int sampleRate)
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return fail(ErrorCode::DeviceFailed, std::string(messages::kNoAudioInput) + SDL_GetError());
    subsystemStarted_ = true;
    rate_ = sampleRate;
    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 256;
    wanted.callback = &SdlCapture::callback;
    wanted.userdata = this;
    device_ = SDL_OpenAudioDevice(nullptr, 1, &wanted, nullptr, 0);
    if (device_ == 0)
        return fail(ErrorCode::DeviceFailed, std::string(messages::kNoAudioInput) + SDL_GetError());
    return {};
}

void SdlCapture::setRunning(bool running)
{
    if (device_ != 0)
        SDL_PauseAudioDevice(device_, running ? 0 : 1);
}

std::vector<std::int16_t> SdlCapture::samples() const
{
    const std::lock_guard guard(lock_);
    return samples_;
}

std::int64_t SdlCapture::firstMicros() const
{
    const std::lock_guard guard(lock_);
    return firstMicros_;
}

void SdlCapture::callback(void* self, std::uint8_t* stream, int length)
{
    auto* capture = static_cast<SdlCapture*>(self);
    const std::int64_t now = monotonicMicros();
    const std::size_t count = static_cast<std::size_t>(length) / sizeof(std::int16_t);
    const std::lock_guard guard(capture->lock_);
    if (capture->firstMicros_ < 0)
        capture->firstMicros_ = now - static_cast<std::int64_t>(count) * 1'000'000 / capture->rate_;
    const std::size_t before = capture->samples_.size();
    capture->samples_.resize(before + count);
    std::memcpy(capture->samples_.data() + before, stream, count * sizeof(std::int16_t));
}

} // namespace brivo
