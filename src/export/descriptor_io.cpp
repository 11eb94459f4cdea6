#include "export/descriptor_io.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace brivo::exporting {
namespace {

DescriptorIo& ioOf(void* user)
{
    return *static_cast<DescriptorIo*>(user);
}

// Reads up to `size` bytes; fewer only at the end of the file or on an
// error.
std::size_t readSome(int fd, void* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = read(fd, static_cast<char*>(data) + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

constexpr std::size_t kChunk = 1U << 16U;

} // namespace

bool DescriptorIo::writeAll(const void* data, std::size_t size)
{
    for (std::size_t done = 0; done < size;) {
        errno = 0;
        const ssize_t written = write(fd_, static_cast<const char*>(data) + done, size - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            noteFailure(errno != 0 ? errno : ENOSPC);
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

SF_VIRTUAL_IO& DescriptorIo::sndfileIo()
{
    static SF_VIRTUAL_IO io{
        [](void* user) -> sf_count_t {
            struct stat status {};
            return fstat(ioOf(user).descriptor(), &status) == 0 ? status.st_size : 0;
        },
        [](sf_count_t offset, int whence, void* user) -> sf_count_t {
            return lseek(ioOf(user).descriptor(), offset, whence);
        },
        [](void* ptr, sf_count_t count, void* user) -> sf_count_t {
            return static_cast<sf_count_t>(readSome(ioOf(user).descriptor(), ptr, static_cast<std::size_t>(count)));
        },
        [](const void* ptr, sf_count_t count, void* user) -> sf_count_t {
            return ioOf(user).writeAll(ptr, static_cast<std::size_t>(count)) ? count : 0;
        },
        [](void* user) -> sf_count_t { return lseek(ioOf(user).descriptor(), 0, SEEK_CUR); },
    };
    return io;
}

TagLib::ByteVector TagStream::readBlock(unsigned long length)
{
    TagLib::ByteVector block(static_cast<unsigned int>(length), 0);
    block.resize(static_cast<unsigned int>(readSome(io_.descriptor(), block.data(), length)));
    return block;
}

void TagStream::writeBlock(const TagLib::ByteVector& data)
{
    io_.writeAll(data.data(), data.size());
}

// The bytes from `start + replace` on move to `start + data.size()`: from
// the end backwards when they move later, from the front when earlier.
void TagStream::insert(const TagLib::ByteVector& data, unsigned long start, unsigned long replace)
{
    const long end = length();
    const long from = static_cast<long>(start + replace);
    const long shift = static_cast<long>(data.size()) - static_cast<long>(replace);
    std::vector<char> chunk(kChunk);
    const auto move = [&](long at, std::size_t size) {
        seek(at);
        const std::size_t got = readSome(io_.descriptor(), chunk.data(), size);
        seek(at + shift);
        io_.writeAll(chunk.data(), got);
    };
    if (shift > 0) {
        for (long at = end; at > from;) {
            const auto size = static_cast<std::size_t>(std::min<long>(static_cast<long>(kChunk), at - from));
            at -= static_cast<long>(size);
            move(at, size);
        }
    } else if (shift < 0) {
        for (long at = from; at < end; at += static_cast<long>(kChunk))
            move(at, static_cast<std::size_t>(std::min<long>(static_cast<long>(kChunk), end - at)));
        truncate(end + shift);
    }
    seek(static_cast<long>(start));
    writeBlock(data);
}

void TagStream::removeBlock(unsigned long start, unsigned long length)
{
    insert(TagLib::ByteVector(), start, length);
}

void TagStream::seek(long offset, Position p)
{
    const int whence = p == Beginning ? SEEK_SET : p == Current ? SEEK_CUR : SEEK_END;
    lseek(io_.descriptor(), offset, whence);
}

long TagStream::tell() const
{
    return static_cast<long>(lseek(io_.descriptor(), 0, SEEK_CUR));
}

long TagStream::length()
{
    struct stat status {};
    return fstat(io_.descriptor(), &status) == 0 ? static_cast<long>(status.st_size) : 0;
}

void TagStream::truncate(long length)
{
    if (ftruncate(io_.descriptor(), length) != 0)
        io_.noteFailure(errno);
}

} // namespace brivo::exporting
