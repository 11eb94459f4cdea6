#pragma once

#include "common/result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace brivo {

// Reads a whole regular file in binary mode; anything else (a named pipe
// would block) is refused with messages::kNotAFile. On failure the error
// (ReadFailed) holds the system's reason; a file larger than `maxBytes` is
// refused (TooLong) before it is read.
Result<std::string> readFileBytes(const std::filesystem::path& path,
                                  std::uintmax_t maxBytes = static_cast<std::uintmax_t>(-1));

// The system's reason for an errno value (or an error code of the system),
// in French for those a user meets; the C library's text for the rarest.
std::string systemErrorText(int errorNumber);
std::string systemErrorText(const std::error_code& error);

} // namespace brivo
