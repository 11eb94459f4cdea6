#pragma once

#include "sending/keyer.h"

#include <string>
#include <string_view>

namespace brivo::sending {

// The sending window's choices as one settings line ("mode=iambic-b wpm=20
// weight=3 deaf=50"), and back; a word that does not read keeps its
// default.
std::string keyerSettingsText(const KeyerSettings& settings);
KeyerSettings parseKeyerSettings(std::string_view text);

// The modes' names in that line and on brivo-key's command line.
std::string_view keyerModeName(KeyerMode mode);
std::optional<KeyerMode> keyerModeNamed(std::string_view name);

} // namespace brivo::sending
