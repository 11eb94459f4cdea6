#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace brivo {

struct FileReadResult {
    bool ok = false;
    std::string content; // the file's bytes when ok
    std::string error;   // the system's reason when not ok
};

// Reads a whole file in binary mode.
FileReadResult readFileBytes(const std::filesystem::path& path);

// The system's text for an errno value, in the user's language.
std::string systemErrorText(int errorNumber);

} // namespace brivo
