#pragma once

#include "common/result.h"
#include "player/pcm_source.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace brivo {

// The seven modes a wave player reports.
enum class PlayerMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

// A wave-audio player on one file at a time. open, close, stop and
// seekToStart complete before they return; play and pauseOrResume return
// at once while the sound goes on in the device. Positions and lengths are
// whole milliseconds. Play, stop, seek and pause report failure by
// returning false; the caller may ignore it.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;

    // Opens `path`, ready to play from position 0. Fails with the device's
    // error text, in French, when the file or the device cannot be used.
    virtual Result<void> open(const std::filesystem::path& path) = 0;
    // Releases the file; nothing happens when no file is open.
    virtual void close() = 0;
    // Plays from the current position. At the end of the file the mode
    // becomes Stopped with the position equal to the length.
    virtual bool play() = 0;
    virtual bool stop() = 0;
    virtual bool seekToStart() = 0;
    // Pauses while playing, resumes while paused; any other mode: nothing.
    virtual bool pauseOrResume() = 0;

    virtual PlayerMode mode() const = 0;
    virtual std::uint32_t positionMs() const = 0;
    virtual std::uint32_t lengthMs() const = 0;
    // True once the sound output has gone away under the open file: nothing
    // more can be heard until the file is closed and opened again.
    virtual bool outputLost() const { return false; }
    // Lets the sound output go when it has been silent for a while; called
    // now and then. The next play opens it again.
    virtual void closeIdleOutput() {}
    // Clock time (in the player's clock's seconds) at which frame 0 of the
    // open sound is heard in the current or last play: known once the
    // device has pulled since the play began, and kept after the end.
    // Players without a device clock know nothing of it.
    virtual std::optional<double> heardOrigin() const { return std::nullopt; }
    // Opens a source made as it plays (the sending practice's sidetone),
    // ready to play; players that only play files refuse it.
    virtual Result<void> openLive(std::unique_ptr<PcmSource> source)
    {
        (void)source;
        return fail(ErrorCode::DeviceFailed, "Ce lecteur ne joue que des fichiers.");
    }
};

} // namespace brivo
