#pragma once

#include "audio/keying_parameters.h"
#include "common/result.h"
#include "player/status_display.h"
#include "player/wave_player.h"

#include <filesystem>
#include <string>

namespace brivo {

// The window's hold on its wave player: whether the player is open on the
// WAV file, whether the last render completed that file, whether a live
// character is still sounding, and the sample rate of the last render.
// Every change of these goes through here, so they always agree with what
// was asked of the player.
class PlaybackSession {
public:
    explicit PlaybackSession(WavePlayer& player) : player_(player) {}

    bool playerOpen() const { return playerOpen_; }
    bool fileGenerated() const { return fileGenerated_; }
    bool liveBusy() const { return liveBusy_; }
    int sampleRate() const { return sampleRate_; }
    // The file the player opens; "son.wav" until the first render.
    const std::filesystem::path& fileName() const { return fileName_; }

    // A render begins: the previous file no longer counts as generated.
    void renderStarting() { fileGenerated_ = false; }
    // The render is about to write `path`: the player lets go of its file.
    void releaseFor(std::filesystem::path path);
    // The render is over. `settledRate` is the rate it settled (the previous
    // one when it did not create the file).
    void renderEnded(int settledRate, bool written);
    // Opens the player on the file, unless it is open already.
    Result<void> openPlayer();

    // Called now and then: the player lets a long-silent output go.
    void closeIdleOutput() { player_.closeIdleOutput(); }

    // "Générer et lire": plays when the player is open on a complete file.
    void playGenerated();
    // "Lire": from the start.
    void replay();
    void pauseOrResume();
    // "Stop" and Escape: stops and rewinds.
    void stopAndRewind();

    // Marks a live character as sounding; false while the previous one is.
    bool beginLiveCharacter();
    // Plays the live character just rendered; when the player could not
    // take it, nothing sounds and the next character may go.
    void playLive();

    struct Status {
        StatusRow row;
        std::string line; // UTF-8
    };
    // The player's state for the status line (asked only when open); the
    // stopped mode ends the live character. When the sound output has gone
    // away, the player is closed, the live character ends, and the line
    // says so until the player is opened again.
    Status poll();

    // Closes the player when it is open.
    void close();
    // The sending practice's sidetone takes the player: its file is let go
    // (the next play opens it again), and the tone plays until closeLive.
    Result<void> openLive(std::unique_ptr<PcmSource> source);
    void closeLive();
    // When frame 0 of the player's last play is heard (see WavePlayer).
    std::optional<double> heardOrigin() const { return player_.heardOrigin(); }
    // The rate restored from the saved settings.
    void restoreSampleRate(int rate) { sampleRate_ = rate; }

private:
    WavePlayer& player_;
    std::filesystem::path fileName_ = "son.wav";
    bool playerOpen_ = false;
    bool liveOpen_ = false;
    bool fileGenerated_ = false;
    bool liveBusy_ = false;
    bool outputLost_ = false;
    int sampleRate_ = kDefaultSampleRate;
};

} // namespace brivo
