#pragma once

#include "common/result.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace brivo {

// Reads a whole regular file in binary mode; anything else (a named pipe
// would block) is refused with messages::kNotAFile. On failure the error
// (ReadFailed) holds the system's reason; a file larger than `maxBytes` is
// refused (TooLong) before it is read.
Result<std::string> readFileBytes(const std::filesystem::path& path,
                                  std::uintmax_t maxBytes = static_cast<std::uintmax_t>(-1));

// The system's text for an errno value, in the user's language.
std::string systemErrorText(int errorNumber);

} // namespace brivo
