#pragma once

#include "player/audio_device.h"
#include "player/pcm_source.h"
#include "player/wav_reader.h"
#include "player/wave_player.h"

#include <mutex>

namespace brivo {

// A wave player over an AudioDevice: reads the samples of the open file as
// the device pulls them, through the source's bounded read-ahead. What the listener has heard is
// what the device has pulled, less what it still holds, advanced by the time
// since its last pull; the position follows that, never what was merely
// handed over. The file stays open while it is the player's; the renderer
// replaces a file by renaming a new one over it, which leaves what the
// player reads untouched. A file cut short while it plays is heard as
// silence up to its length at open. The end of the file is settled by the
// device's own pull, once its last frame has been heard.
//
// The output stays awake: opened at the first file, it runs from then on,
// pulling silence between plays, so that an output that wakes up late
// (Bluetooth, power saving) is already awake for the first dit of a play or
// of a live character. It is opened anew only for another format, after it
// was lost, or after closeIdleOutput let it go.
class DevicePlayer : public WavePlayer {
public:
    // Seconds without sound after which closeIdleOutput closes the output.
    static constexpr double kIdleCloseSeconds = 30;

    DevicePlayer(AudioDevice& device, Clock& clock);
    ~DevicePlayer() override;
    DevicePlayer(const DevicePlayer&) = delete;
    DevicePlayer& operator=(const DevicePlayer&) = delete;

    Result<void> open(const std::filesystem::path& path) override;
    void close() override;
    bool play() override;
    bool stop() override;
    bool seekToStart() override;
    bool pauseOrResume() override;
    PlayerMode mode() const override;
    std::uint32_t positionMs() const override;
    std::uint32_t lengthMs() const override;
    bool outputLost() const override;
    // Closes the output when nothing has sounded for kIdleCloseSeconds
    // and nothing plays; the next play opens it again.
    void closeIdleOutput() override;
    Result<void> openLive(std::unique_ptr<PcmSource> source) override { return openSource(std::move(source)); }
    // From the first pull after a play: its time, plus the frames the device
    // then held (its latency), less the frames handed over so far.
    std::optional<double> heardOrigin() const override;

    // Opens already-read samples, as open does for a file.
    Result<void> openSound(PcmSound sound);
    Result<void> openSource(std::unique_ptr<PcmSource> source);

    // Clock time at which the device first took samples since the last
    // play or resume, or -1 when it has not yet.
    double firstPullAfterPlay();

private:
    void pull(std::int16_t* out, std::size_t frames);
    // Frames heard so far; the caller holds the lock.
    std::uint64_t heardFrames(double now) const;
    // True once the last frame has been heard; the caller holds the lock.
    bool endHeard(double now) const;
    // Makes the heard position the cursor and leaves the Playing mode.
    void halt(PlayerMode next);
    // Stops at the end once it has been heard; returns true when it did.
    bool settleEnd();
    // Opens the output at the format of the open file (when it is not open
    // at it already) and starts it; false with the error when it fails.
    Result<void> wakeDevice(int rate, int channels);
    void closeDevice();
    std::uint32_t framesToMs(std::uint64_t frames) const;

    AudioDevice& device_;
    Clock& clock_;
    mutable std::mutex mutex_; // guards the fields below against the device's thread
    std::unique_ptr<PcmSource> source_;
    int rate_ = 0;
    int channels_ = 1;
    std::uint64_t frames_ = 0;
    bool isOpen_ = false;
    PlayerMode mode_ = PlayerMode::NotReady;
    std::uint64_t cursor_ = 0; // frames handed to the device
    double lastPullAt_ = 0;    // clock time of the last pull that took samples
    double firstPullAt_ = 0;
    std::optional<double> heardOrigin_;
    double lastSoundAt_ = 0; // clock time of the last sound, or of the output's opening
    bool pulledSincePlay_ = false;
    // The device's own state, touched only by the calling thread.
    bool deviceOpen_ = false;
    int deviceRate_ = 0;
    int deviceChannels_ = 0;
};

} // namespace brivo
