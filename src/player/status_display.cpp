#include "player/status_display.h"

namespace brivo {

StatusRow statusRowFor(std::optional<PlayerMode> mode)
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

std::string spokenStatus(std::string_view line)
{
    const std::size_t colon = line.find(" : ");
    const std::size_t slash = line.find(" / ");
    if (colon == std::string_view::npos || slash == std::string_view::npos || slash < colon || !line.ends_with('s'))
        return std::string(line);
    const auto seconds = [](std::string_view text) {
        return std::string(text.ends_with(",0") ? text.substr(0, text.size() - 2) : text);
    };
    const std::string_view position = line.substr(colon + 3, slash - colon - 3);
    const std::string_view length = line.substr(slash + 3, line.size() - slash - 4);
    return std::string(line.substr(0, colon)) + ", " + seconds(position) + " secondes sur " + seconds(length);
}

} // namespace brivo
