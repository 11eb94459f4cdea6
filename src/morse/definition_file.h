#pragma once

#include "morse/morse_table.h"

#include <filesystem>
#include <optional>
#include <string>

namespace brivo::definitions {

enum class EnsureResult {
    AlreadyPresent, // an existing file is never rewritten
    Created,        // the built-in text was written whole
    Failed,         // creating or writing failed; what was written stays
};

// Makes sure the definition file exists, writing the built-in text to a new
// file of that name when it is missing.
EnsureResult ensureDefinitionFile(const std::filesystem::path& path);

struct LoadResult {
    std::optional<MorseTable> table; // empty when the file cannot be read
    std::string error;               // the system's reason otherwise
};

// Reads and parses a definition file.
LoadResult loadDefinitionFile(const std::filesystem::path& path);

} // namespace brivo::definitions
