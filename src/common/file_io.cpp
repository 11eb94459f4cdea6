#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace brivo {

FileReadResult readFileBytes(const std::filesystem::path& path)
{
    FileReadResult result;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        result.error = systemErrorText(errno);
        return result;
    }
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        result.content.append(buffer, count);
    if (std::ferror(file.get()) != 0) {
        result.error = systemErrorText(errno);
        result.content.clear();
        return result;
    }
    result.ok = true;
    return result;
}

std::string systemErrorText(int errorNumber)
{
    return std::strerror(errorNumber);
}

} // namespace brivo
