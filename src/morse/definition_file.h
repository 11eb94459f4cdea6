#pragma once

#include "common/result.h"
#include "morse/morse_table.h"

#include <filesystem>

namespace brivo {

enum class DefinitionFileState {
    AlreadyPresent, // an existing file is never rewritten
    Created,        // the built-in text was written whole
};

// Makes sure the definition file exists, writing the built-in text to a new
// file of that name when it is missing. On failure (CreateFailed or
// WriteFailed) no file is left, so that the next start tries again.
Result<DefinitionFileState> ensureDefinitionFile(const std::filesystem::path& path);

// Reads and parses a definition file; fails with the system's reason when
// the file cannot be read.
Result<MorseTable> loadDefinitionFile(const std::filesystem::path& path);

} // namespace brivo
