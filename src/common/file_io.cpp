#include "common/file_io.h"

#include "common/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace brivo {

Result<std::string> readFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    // Opened without blocking, so that a named pipe with no writer cannot
    // hold the caller; only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return fail(ErrorCode::ReadFailed, std::string(messages::kNotAFile));
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(::fdopen(fd, "rb"), &std::fclose);
    if (!file) {
        ::close(fd);
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    }
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
