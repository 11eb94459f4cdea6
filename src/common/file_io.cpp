#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace brivo {

Result<std::string> readFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    std::string content;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, count);
        if (content.size() > maxBytes)
            return fail(ErrorCode::TooLong, {});
    }
    if (std::ferror(file.get()) != 0)
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    return content;
}

std::string systemErrorText(int errorNumber)
{
    return std::strerror(errorNumber);
}

} // namespace brivo
