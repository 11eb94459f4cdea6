#pragma once

#include "common/result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace brivo {

// A file being written beside its target, to be renamed over it once whole.
// It is created with the target's permissions (the usual ones for a new
// file); destroying it unfinished removes it. A symbolic link is followed:
// the file it points to is the one replaced, and the link stays.
class ReplacementFile {
public:
    // Fails with CreateFailed and the system's reason when the folder takes
    // no new file, and when the target is a device, a pipe or a socket.
    static Result<ReplacementFile> create(const std::filesystem::path& link);

    ReplacementFile(ReplacementFile&& other) noexcept;
    ReplacementFile& operator=(ReplacementFile&&) = delete;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    int descriptor() const { return fd_; }
    // Writes all of `bytes` at the current position (WriteFailed, with the
    // system's reason, when they do not all go).
    Result<void> write(std::string_view bytes);

    // Closes the file (after flushing it to the disk when `durable`) and
    // renames it over the target, then flushes the folder when `durable`.
    // Fails with WriteFailed; the target is then left as it was.
    Result<void> commit(bool durable);
    // The same for a file that must not replace one made meanwhile by
    // another program: fails (WriteFailed, EEXIST's reason) when the
    // target exists by then.
    Result<void> commitNew(bool durable);

private:
    ReplacementFile(int fd, std::string path, std::filesystem::path target);
    void discard();
    Result<void> finish(bool durable, bool replace);

    int fd_ = -1;
    std::string path_;
    std::filesystem::path target_;
};

// The mkstemp pattern of a hidden file beside `target`: ".NAME.XXXXXX".
std::string hiddenPatternBeside(const std::filesystem::path& target);

// Whether `path` names a device, a pipe or a socket: a new file must never
// be renamed over one (saved there as root, /dev/null would become a file).
bool isSpecialFile(const std::filesystem::path& path);

// Writes `bytes` to `path` whole or not at all: into a temporary file
// beside it, flushed to the disk, then renamed over it, and the folder
// flushed. A failure (CreateFailed or WriteFailed, with the system's
// reason) leaves any earlier file of that name as it was.
Result<void> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace brivo
