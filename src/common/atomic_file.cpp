#include "common/atomic_file.h"

#include "common/file_io.h"
#include "common/messages.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brivo {
namespace {

Error systemFailure(ErrorCode code, int errorNumber)
{
    return fail(code, systemErrorText(errorNumber != 0 ? errorNumber : EIO));
}

mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// The file a path names once its symbolic links are followed, so that the
// link stays a link to the new content (a dangling link names the file to
// create). A loop of links is left as it is: the rename then replaces it.
std::filesystem::path linkTarget(std::filesystem::path path)
{
    std::error_code error;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(path, error); ++hops) {
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = next.is_absolute() ? next : folderOf(path) / next;
    }
    return path;
}

// Renames `from` to `to` only when `to` does not exist, in one step where
// the file system can (a link then, on those that cannot).
bool renameNew(const std::string& from, const std::filesystem::path& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (link(from.c_str(), to.c_str()) != 0)
        return false;
    unlink(from.c_str());
    return true;
}

} // namespace

std::string hiddenPatternBeside(const std::filesystem::path& target)
{
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on
    // "literal" + std::string&&.
    std::string hidden = ".";
    hidden.append(target.filename().string()).append(".XXXXXX");
    return (folderOf(target) / hidden).string();
}

bool isSpecialFile(const std::filesystem::path& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 &&
           (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode) || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
}

Result<ReplacementFile> ReplacementFile::create(const std::filesystem::path& link)
{
    const std::filesystem::path target = linkTarget(link);
    if (target.filename().empty())
        return systemFailure(ErrorCode::CreateFailed, EISDIR);
    if (isSpecialFile(target))
        return fail(ErrorCode::CreateFailed, std::string(messages::kNotAFile));
    std::string path = hiddenPatternBeside(target);
    errno = 0;
    const int fd = mkstemp(path.data());
    if (fd < 0)
        return systemFailure(ErrorCode::CreateFailed, errno);
    struct stat existing {};
    fchmod(fd, stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : newFileMode());
    return ReplacementFile(fd, std::move(path), target);
}

ReplacementFile::ReplacementFile(int fd, std::string path, std::filesystem::path target)
    : fd_(fd), path_(std::move(path)), target_(std::move(target))
{}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_)), target_(std::move(other.target_))
{
    other.fd_ = -1;
    other.path_.clear();
}

ReplacementFile::~ReplacementFile()
{
    discard();
}

void ReplacementFile::discard()
{
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
    if (!path_.empty())
        unlink(path_.c_str());
    path_.clear();
}

Result<void> ReplacementFile::commit(bool durable)
{
    return finish(durable, true);
}

Result<void> ReplacementFile::commitNew(bool durable)
{
    return finish(durable, false);
}

Result<void> ReplacementFile::finish(bool durable, bool replace)
{
    errno = 0;
    bool ok = !durable || fsync(fd_) == 0;
    int reason = errno;
    ok = close(fd_) == 0 && ok;
    fd_ = -1;
    if (ok && replace)
        ok = rename(path_.c_str(), target_.c_str()) == 0;
    else if (ok)
        ok = renameNew(path_, target_);
    if (!ok) {
        reason = errno != 0 ? errno : reason;
        discard();
        return systemFailure(ErrorCode::WriteFailed, reason);
    }
    path_.clear();
    if (durable) {
        const int folder = open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY);
        if (folder >= 0) {
            fsync(folder); // the rename itself is on the disk
            close(folder);
        }
    }
    return {};
}

Result<void> ReplacementFile::write(std::string_view bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        errno = 0;
        const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return systemFailure(ErrorCode::WriteFailed, errno != 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(written);
    }
    return {};
}

Result<void> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    Result<ReplacementFile> file = ReplacementFile::create(path);
    if (!file)
        return file.error();
    if (Result<void> written = file->write(bytes); !written)
        return written;
    return file->commit(true);
}

} // namespace brivo
