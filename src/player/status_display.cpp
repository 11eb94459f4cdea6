#include "player/status_display.h"

namespace brivo::status {

StatusRow rowFor(std::optional<PlayerMode> mode)
{
    if (!mode)
        return {"Générez un fichier", false, false, false, false, false};
    switch (*mode) {
    case PlayerMode::NotReady:
        return {"Non disponible", false, false, false, false, false};
    case PlayerMode::Stopped:
        return {"Arrété", true, false, false, true, true};
    case PlayerMode::Playing:
        return {"Lecture", true, true, true, true, false};
    case PlayerMode::Recording:
        return {"Enregistrement", false, false, true, false, false};
    case PlayerMode::Seeking:
        return {"Recherche", false, false, false, false, false};
    case PlayerMode::Paused:
        return {"Pause", true, true, true, true, false};
    case PlayerMode::Open:
        break;
    }
    return {"Générez un fichier", false, false, false, false, false};
}

std::string positionText(std::uint32_t positionMs, std::uint32_t lengthMs)
{
    const auto secondsAndTenths = [](std::uint32_t ms) {
        return std::to_string(ms / 1000) + "," + std::to_string((ms / 100) % 10);
    };
    return " : " + secondsAndTenths(positionMs) + " / " + secondsAndTenths(lengthMs) + "s";
}

} // namespace brivo::status
