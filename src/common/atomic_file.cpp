#include "common/atomic_file.h"

#include "common/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace brivo {
namespace {

Error systemFailure(ErrorCode code)
{
    return fail(code, systemErrorText(errno != 0 ? errno : EIO));
}

mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

Result<void> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    if (path.filename().empty()) {
        errno = EISDIR;
        return systemFailure(ErrorCode::CreateFailed);
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    errno = 0;
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return systemFailure(ErrorCode::CreateFailed);

    struct stat existing {};
    const mode_t mode = stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : newFileMode();
    bool ok = fchmod(fd, mode) == 0;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        ok = written > 0;
        done += ok ? static_cast<std::size_t>(written) : 0;
    }
    ok = ok && fsync(fd) == 0;
    const int writeError = errno;
    ok = close(fd) == 0 && ok;
    if (ok)
        ok = rename(pattern.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int reason = errno != 0 ? errno : writeError;
        unlink(pattern.c_str());
        errno = reason;
        return systemFailure(ErrorCode::WriteFailed);
    }
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd); // the rename itself is on the disk
        close(folderFd);
    }
    return {};
}

} // namespace brivo
