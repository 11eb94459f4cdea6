#pragma once

#include "common/result.h"

#include <filesystem>
#include <string_view>

namespace brivo {

// Writes `bytes` to `path` whole or not at all: into a temporary file
// beside it, flushed to the disk, then renamed over it, and the folder
// flushed. A failure (CreateFailed or WriteFailed, with the system's
// reason) leaves any earlier file of that name as it was. A new file gets
// the usual permissions; an existing one keeps its own.
Result<void> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace brivo
