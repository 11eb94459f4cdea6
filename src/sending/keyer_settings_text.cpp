#include "sending/keyer_settings_text.h"

#include "common/number_text.h"
#include "common/settings_words.h"

#include <algorithm>
#include <array>
#include <utility>

namespace brivo::sending {
namespace {

constexpr std::array<std::pair<KeyerMode, std::string_view>, 6> kModes{{
    {KeyerMode::Straight, "straight"},
    {KeyerMode::Bug, "bug"},
    {KeyerMode::IambicA, "iambic-a"},
    {KeyerMode::IambicB, "iambic-b"},
    {KeyerMode::Ultimatic, "ultimatic"},
    {KeyerMode::SingleLever, "single-lever"},
}};

} // namespace

std::string_view keyerModeName(KeyerMode mode)
{
    for (const auto& [known, name] : kModes) {
        if (known == mode)
            return name;
    }
    return "iambic-b";
}

std::optional<KeyerMode> keyerModeNamed(std::string_view name)
{
    for (const auto& [mode, known] : kModes) {
        if (known == name)
            return mode;
    }
    return std::nullopt;
}

std::string keyerSettingsText(const KeyerSettings& settings)
{
    // Exact digits, so that a hand-edited "wpm=22.52222" reads back the same.
    return "mode=" + std::string(keyerModeName(settings.mode)) + " wpm=" + exactText(settings.wpm) +
           " weight=" + exactText(settings.weight) + " deaf=" + exactText(settings.deafPercent);
}

KeyerSettings parseKeyerSettings(std::string_view text)
{
    KeyerSettings settings;
    forEachSetting(text, {}, [&settings](std::string_view key, std::string_view value) {
        if (key == "mode")
            settings.mode = keyerModeNamed(value).value_or(settings.mode);
        else if (key == "wpm")
            settings.wpm = wholeNumber(value, 5, 50).value_or(settings.wpm);
        else if (key == "weight")
            settings.weight = wholeNumber(value, 2.5, 4.5).value_or(settings.weight);
        else if (key == "deaf")
            settings.deafPercent = wholeNumber(value, 0, 100).value_or(settings.deafPercent);
    });
    return settings;
}

std::string sendingSettingsText(const SendingSettings& settings)
{
    return keyerSettingsText(settings.keyer) + " echo=" + settings.echoSource +
           (settings.echoAdaptive ? " adapt=1" : " adapt=0");
}

SendingSettings parseSendingSettings(std::string_view text)
{
    SendingSettings settings{parseKeyerSettings(text)};
    forEachSetting(text, {}, [&settings](std::string_view key, std::string_view value) {
        if (key == "echo" &&
            std::find(kEchoSourceNames.begin(), kEchoSourceNames.end(), value) != kEchoSourceNames.end())
            settings.echoSource = std::string(value);
        else if (key == "adapt" && (value == "0" || value == "1"))
            settings.echoAdaptive = value == "1";
    });
    return settings;
}

} // namespace brivo::sending
