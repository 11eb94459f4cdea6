#pragma once

#include "sending/keyer.h"

#include <array>
#include <string>
#include <string_view>

namespace brivo::sending {

// The sending window's choices as one settings line ("mode=iambic-b wpm=20
// weight=3 deaf=50"), and back; a word that does not read keeps its
// default.
std::string keyerSettingsText(const KeyerSettings& settings);
KeyerSettings parseKeyerSettings(std::string_view text);

// The sending window's choices: the keyer's, and the echo drill's source
// (by its name in the line: "course", "course-groups", "all", "words",
// "calls") and whether its speed adapts. As one line, the keyer's words
// then "echo=course adapt=0".
struct SendingSettings {
    KeyerSettings keyer;
    std::string echoSource = "course";
    bool echoAdaptive = false;

    bool operator==(const SendingSettings&) const = default;
};
inline constexpr std::array<std::string_view, 5> kEchoSourceNames = {"course", "course-groups", "all", "words",
                                                                     "calls"};
std::string sendingSettingsText(const SendingSettings& settings);
SendingSettings parseSendingSettings(std::string_view text);

// The modes' names in that line and on brivo-key's command line.
std::string_view keyerModeName(KeyerMode mode);
std::optional<KeyerMode> keyerModeNamed(std::string_view name);

} // namespace brivo::sending
