#pragma once

#include "common/result.h"

#include <filesystem>
#include <string>

namespace brivo {

// Reads a whole file in binary mode. On failure the error (ReadFailed)
// holds the system's reason.
Result<std::string> readFileBytes(const std::filesystem::path& path);

// The system's text for an errno value, in the user's language.
std::string systemErrorText(int errorNumber);

} // namespace brivo
