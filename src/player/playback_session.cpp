#include "player/playback_session.h"

#include "common/messages.h"

namespace brivo {

void PlaybackSession::releaseFor(std::filesystem::path path)
{
    fileName_ = std::move(path);
    close();
}

void PlaybackSession::renderEnded(int settledRate, bool written)
{
    sampleRate_ = settledRate;
    fileGenerated_ = written;
}

Result<void> PlaybackSession::openPlayer()
{
    if (playerOpen_)
        return {};
    Result<void> opened = player_.open(fileName_);
    playerOpen_ = opened.ok();
    liveOpen_ = false; // the file took the sidetone's place
    outputLost_ = outputLost_ && !playerOpen_;
    return opened;
}

void PlaybackSession::playGenerated()
{
    if (playerOpen_ && fileGenerated_)
        player_.play();
}

void PlaybackSession::replay()
{
    if (!playerOpen_)
        return;
    player_.seekToStart();
    player_.play();
}

void PlaybackSession::pauseOrResume()
{
    if (playerOpen_)
        player_.pauseOrResume();
}

void PlaybackSession::stopAndRewind()
{
    if (!playerOpen_)
        return;
    player_.stop();
    player_.seekToStart();
}

bool PlaybackSession::beginLiveCharacter()
{
    if (liveBusy_)
        return false;
    liveBusy_ = true;
    return true;
}

void PlaybackSession::playLive()
{
    if (playerOpen_)
        player_.play();
    else
        liveBusy_ = false; // a closed player is never seen stopped
}

PlaybackSession::Status PlaybackSession::poll()
{
    if (playerOpen_ && player_.outputLost()) {
        close();
        outputLost_ = true;
    }
    if (outputLost_) {
        liveBusy_ = false;
        StatusRow row = statusRowFor(std::nullopt);
        row.releasesLive = true;
        return {row, std::string(messages::kAudioLost)};
    }
    const std::optional<PlayerMode> mode = playerOpen_ ? std::optional(player_.mode()) : std::nullopt;
    Status status{statusRowFor(mode), {}};
    if (status.row.releasesLive)
        liveBusy_ = false;
    status.line = statusLine(status.row, player_);
    return status;
}

void PlaybackSession::close()
{
    if (playerOpen_ || liveOpen_) {
        player_.close();
        playerOpen_ = false;
        liveOpen_ = false;
    }
}

Result<void> PlaybackSession::openLive(std::unique_ptr<PcmSource> source)
{
    close();
    liveBusy_ = false;
    if (Result<void> opened = player_.openLive(std::move(source)); !opened)
        return opened;
    liveOpen_ = true;
    if (!player_.play())
        return fail(ErrorCode::DeviceFailed, std::string(messages::kSidetoneFailed));
    return {};
}

void PlaybackSession::closeLive()
{
    if (liveOpen_) {
        player_.close();
        liveOpen_ = false;
    }
}

} // namespace brivo
