#include "player/device_player.h"

#include "common/messages.h"

#include <algorithm>
#include <cstring>

namespace brivo {

DevicePlayer::DevicePlayer(AudioDevice& device, Clock& clock) : device_(device), clock_(clock)
{}

DevicePlayer::~DevicePlayer()
{
    DevicePlayer::close();
    closeDevice();
}

Result<void> DevicePlayer::open(const std::filesystem::path& path)
{
    close();
    Result<std::unique_ptr<PcmSource>> file = openWavFile(path);
    if (!file) {
        if (file.error().code == ErrorCode::ReadFailed)
            return fail(ErrorCode::ReadFailed, messages::cannotOpen(path.string(), file.error().message));
        return file.error();
    }
    return openSource(std::move(*file));
}

Result<void> DevicePlayer::openSound(PcmSound sound)
{
    return openSource(memorySource(std::move(sound)));
}

Result<void> DevicePlayer::openSource(std::unique_ptr<PcmSource> source)
{
    close();
    const int rate = source->sampleRate();
    const int channels = source->channels();
    if (Result<void> awake = wakeDevice(rate, channels); !awake)
        return awake;
    const std::lock_guard lock(mutex_);
    source_ = std::move(source);
    rate_ = rate;
    channels_ = channels;
    frames_ = source_->frames();
    cursor_ = 0;
    pulledSincePlay_ = false;
    isOpen_ = true;
    mode_ = PlayerMode::Stopped;
    return {};
}

// The device stays open from one file to the next of the same format:
// opening a sound server's stream costs far more than a live character, and
// an output that has to wake up loses the first element. A device that was
// lost is opened anew.
Result<void> DevicePlayer::wakeDevice(int rate, int channels)
{
    if (deviceOpen_ && !device_.lost() && rate == deviceRate_ && channels == deviceChannels_)
        return {};
    closeDevice();
    Result<void> opened =
        device_.open(rate, channels, [this](std::int16_t* out, std::size_t frames) { pull(out, frames); });
    if (!opened)
        return opened;
    deviceOpen_ = true;
    deviceRate_ = rate;
    deviceChannels_ = channels;
    {
        const std::lock_guard lock(mutex_);
        lastSoundAt_ = clock_.now();
    }
    // Pulling silence until the first play.
    device_.setRunning(true);
    return {};
}

void DevicePlayer::close()
{
    const std::lock_guard lock(mutex_);
    if (!isOpen_)
        return;
    isOpen_ = false;
    mode_ = PlayerMode::NotReady;
    source_.reset();
    rate_ = 0;
    frames_ = 0;
    cursor_ = 0;
}

void DevicePlayer::closeIdleOutput()
{
    {
        const std::lock_guard lock(mutex_);
        if (!deviceOpen_ || (mode_ == PlayerMode::Playing && !endHeard(clock_.now())) ||
            clock_.now() - lastSoundAt_ < kIdleCloseSeconds)
            return;
        settleEnd();
    }
    closeDevice();
}

void DevicePlayer::closeDevice()
{
    if (deviceOpen_) {
        // Joins the device's thread: no pull runs after this returns.
        device_.close();
        deviceOpen_ = false;
    }
}

void DevicePlayer::pull(std::int16_t* out, std::size_t frames)
{
    const std::lock_guard lock(mutex_);
    const auto channels = static_cast<std::size_t>(channels_);
    const std::uint64_t available = mode_ == PlayerMode::Playing && cursor_ < frames_ ? frames_ - cursor_ : 0;
    const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(available, frames));
    // What the source cannot give (a file cut short) is heard as silence.
    const std::size_t read = taken > 0 ? source_->read(cursor_, out, taken) : 0;
    std::memset(out + read * channels, 0, (frames - read) * channels * sizeof(std::int16_t));
    cursor_ += taken;
    if (taken > 0) {
        lastPullAt_ = clock_.now();
        lastSoundAt_ = lastPullAt_;
        if (!pulledSincePlay_) {
            firstPullAt_ = lastPullAt_;
            const std::uint64_t held = std::min<std::uint64_t>(device_.bufferFrames(), cursor_);
            heardOrigin_ = lastPullAt_ + (static_cast<double>(held) - static_cast<double>(cursor_)) / rate_;
        }
        pulledSincePlay_ = true;
    } else {
        settleEnd();
    }
}

std::uint64_t DevicePlayer::heardFrames(double now) const
{
    if (mode_ != PlayerMode::Playing || !pulledSincePlay_)
        return cursor_;
    // The last pull's frames reach the ear over the device's buffer time.
    const std::uint64_t held = std::min<std::uint64_t>(device_.bufferFrames(), cursor_);
    const double since = std::max(0.0, now - lastPullAt_) * rate_;
    const auto advanced = static_cast<std::uint64_t>(std::min<double>(since + 0.5, static_cast<double>(held)));
    return cursor_ - held + advanced;
}

void DevicePlayer::halt(PlayerMode next)
{
    cursor_ = heardFrames(clock_.now());
    mode_ = next;
    pulledSincePlay_ = false;
}

bool DevicePlayer::endHeard(double now) const
{
    return mode_ == PlayerMode::Playing && heardFrames(now) >= frames_;
}

// At the end of the file, once its last frame has been heard, the player
// stops with the position equal to the length.
bool DevicePlayer::settleEnd()
{
    if (!endHeard(clock_.now()))
        return false;
    cursor_ = frames_;
    mode_ = PlayerMode::Stopped;
    pulledSincePlay_ = false;
    return true;
}

// The device is opened and started outside the lock: its thread holds its
// own lock while it pulls, and pull takes ours. Once the mode has left
// Playing, pull hands over silence.
bool DevicePlayer::play()
{
    int rate = 0;
    int channels = 0;
    {
        const std::lock_guard lock(mutex_);
        if (!isOpen_)
            return false;
        settleEnd();
        if (mode_ != PlayerMode::Playing && cursor_ >= frames_) {
            mode_ = PlayerMode::Stopped; // nothing left to play: already at the end
            return true;
        }
        rate = rate_;
        channels = channels_;
    }
    // An output closed while idle wakes up again.
    if (!wakeDevice(rate, channels))
        return false;
    const std::lock_guard lock(mutex_);
    if (mode_ == PlayerMode::Playing)
        return true;
    if (cursor_ >= frames_) {
        mode_ = PlayerMode::Stopped; // nothing left to play: already at the end
        return true;
    }
    mode_ = PlayerMode::Playing;
    pulledSincePlay_ = false;
    heardOrigin_.reset();
    return true;
}

bool DevicePlayer::stop()
{
    const std::lock_guard lock(mutex_);
    if (!isOpen_)
        return false;
    settleEnd();
    if (mode_ == PlayerMode::Playing || mode_ == PlayerMode::Paused)
        halt(PlayerMode::Stopped);
    return true;
}

bool DevicePlayer::seekToStart()
{
    const std::lock_guard lock(mutex_);
    if (!isOpen_)
        return false;
    cursor_ = 0;
    mode_ = PlayerMode::Stopped;
    pulledSincePlay_ = false;
    return true;
}

bool DevicePlayer::pauseOrResume()
{
    {
        const std::lock_guard lock(mutex_);
        if (!isOpen_)
            return false;
        settleEnd();
        if (mode_ == PlayerMode::Playing) {
            halt(PlayerMode::Paused);
            return true;
        }
        if (mode_ != PlayerMode::Paused)
            return true;
    }
    // Resumed: the output may have been closed while idle.
    if (!wakeDevice(rate_, channels_))
        return false;
    const std::lock_guard lock(mutex_);
    mode_ = PlayerMode::Playing;
    pulledSincePlay_ = false;
    return true;
}

// Between the moment the last frame is heard and the device's next pull,
// the end is reported without being settled.
PlayerMode DevicePlayer::mode() const
{
    const std::lock_guard lock(mutex_);
    return endHeard(clock_.now()) ? PlayerMode::Stopped : mode_;
}

std::uint32_t DevicePlayer::framesToMs(std::uint64_t frames) const
{
    if (rate_ <= 0)
        return 0;
    return static_cast<std::uint32_t>(frames * 1000 / static_cast<std::uint64_t>(rate_));
}

std::uint32_t DevicePlayer::positionMs() const
{
    const std::lock_guard lock(mutex_);
    return framesToMs(std::min(heardFrames(clock_.now()), frames_));
}

std::uint32_t DevicePlayer::lengthMs() const
{
    const std::lock_guard lock(mutex_);
    return framesToMs(frames_);
}

bool DevicePlayer::outputLost() const
{
    return deviceOpen_ && device_.lost();
}

std::optional<double> DevicePlayer::heardOrigin() const
{
    const std::lock_guard lock(mutex_);
    return heardOrigin_;
}

double DevicePlayer::firstPullAfterPlay()
{
    const std::lock_guard lock(mutex_);
    return pulledSincePlay_ ? firstPullAt_ : -1.0;
}

} // namespace brivo
