#pragma once

#include "player/wave_player.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brivo {

// What the status line and the playback buttons show for a player mode.
struct StatusRow {
    std::string text; // UTF-8
    bool lire = false;
    bool pause = false;
    bool stop = false;
    bool showsPosition = false;
    bool releasesLive = false; // the stopped mode ends a live character
};

// The row for a mode; no mode means the player is closed (it is not asked).
StatusRow statusRowFor(std::optional<PlayerMode> mode);

// " : 1,3 / 5,2s" for 1375 ms into 5250 ms: seconds and tenths, truncated,
// with a comma.
std::string positionText(std::uint32_t positionMs, std::uint32_t lengthMs);

// The status line as a screen reader says it: "Lecture : 0,0 / 222,8s"
// is "Lecture, 0 secondes sur 222,8"; a line without a position as it is.
std::string spokenStatus(std::string_view line);

// The whole status line for a mode, asking for the position and length only
// when the row shows them.
template <typename Player> std::string statusLine(const StatusRow& row, const Player& player)
{
    if (!row.showsPosition)
        return row.text;
    const std::uint32_t position = player.positionMs();
    const std::uint32_t length = player.lengthMs();
    return row.text + positionText(position, length);
}

} // namespace brivo
