#pragma once

#include <cstddef>
#include <sndfile.h>
#include <string>
#include <taglib/tiostream.h>

namespace brivo::exporting {

// An open file descriptor that remembers its first failed or short write,
// which the encoders and TagLib would otherwise let pass: libsndfile's MP3
// encoder ignores them, and TagLib's own file stream never checks them.
class DescriptorIo {
public:
    explicit DescriptorIo(int fd) : fd_(fd) {}

    int descriptor() const { return fd_; }
    // The errno of the first failed write (ENOSPC for a short one), or 0.
    int failure() const { return failure_; }

    // Writes all of `size` bytes at the current position; false (and the
    // failure kept) when they could not all be written.
    bool writeAll(const void* data, std::size_t size);
    void noteFailure(int errorNumber)
    {
        if (failure_ == 0)
            failure_ = errorNumber;
    }

    // libsndfile's virtual I/O over this descriptor (`user_data` is this).
    static SF_VIRTUAL_IO& sndfileIo();

private:
    int fd_;
    int failure_ = 0;
};

// TagLib's stream over a DescriptorIo: tags are written in place into the
// file being made, and a failed write is kept, not lost. `name` gives the
// format by its extension.
class TagStream : public TagLib::IOStream {
public:
    TagStream(DescriptorIo& io, std::string name) : io_(io), name_(std::move(name)) {}

    TagLib::FileName name() const override { return name_.c_str(); }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector& data) override;
    void insert(const TagLib::ByteVector& data, unsigned long start = 0, unsigned long replace = 0) override;
    void removeBlock(unsigned long start = 0, unsigned long length = 0) override;
    bool readOnly() const override { return false; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override;
    long length() override;
    void truncate(long length) override;

private:
    DescriptorIo& io_;
    std::string name_;
};

} // namespace brivo::exporting
