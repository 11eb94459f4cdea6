#pragma once

#include "common/result.h"
#include "settings/registry_file.h"

#include <cstdint>
#include <filesystem>

namespace brivo::settings {

// $XDG_CONFIG_HOME/ZORVANE/BRIVO.reg, or ~/.config/... when the variable
// is unset or empty (either argument may be null).
std::filesystem::path settingsFilePath(const char* xdgConfigHome, const char* home);

// The stored values; a missing file is an empty store. A file that exists
// but cannot be read fails with the system's reason.
Result<RegistryFile> readSettingsFile(const std::filesystem::path& path);

// Moves a store that could not be read out of the way, to the same name
// with ".illisible" (and the time, when that name is taken), so that the
// next save writes a new one and the old content is never lost. Gives the
// new name, or fails with the system's reason.
Result<std::filesystem::path> setAsideSettingsFile(const std::filesystem::path& path, std::int64_t now);

// Writes the store whole or not at all (the old file stays on failure),
// creating its folder (0700) when missing.
Result<void> writeSettingsFile(const std::filesystem::path& path, const RegistryFile& file);

// Deletes the store; a store already gone is no failure.
Result<void> removeSettingsFile(const std::filesystem::path& path);

} // namespace brivo::settings
