#include "audio/wav_file_writer.h"

#include "common/file_io.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace brivo {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

void put32(unsigned char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

void put16(unsigned char* at, std::uint16_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

} // namespace

std::array<unsigned char, kWavHeaderSize> wavHeader(std::uint32_t n, std::int32_t sampleRate)
{
    std::array<unsigned char, kWavHeaderSize> h{};
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    std::memcpy(&h[0], "RIFF", 4);
    put32(&h[4], 2 * n + 50);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    put32(&h[16], 18);
    put16(&h[20], 1); // PCM
    put16(&h[22], 1); // mono
    put32(&h[24], rate);
    put32(&h[28], 2 * rate);
    put16(&h[32], 2);  // bytes per frame
    put16(&h[34], 16); // bits per sample
    put16(&h[36], 0);  // no extra format bytes
    std::memcpy(&h[38], "fact", 4);
    put32(&h[42], 4);
    put32(&h[46], n);
    std::memcpy(&h[50], "data", 4);
    put32(&h[54], 2 * n);
    return h;
}

WavFileWriter::~WavFileWriter()
{
    closeQuietly();
}

void WavFileWriter::closeQuietly()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool WavFileWriter::markFailed()
{
    if (!failed_) {
        failed_ = true;
        reason_ = systemErrorText(errno != 0 ? errno : EIO);
    }
    return false;
}

Result<void> WavFileWriter::create(const std::filesystem::path& path)
{
    closeQuietly();
    failed_ = false;
    reason_.clear();
    replacement_.reset();
    if (path.empty())
        return fail(ErrorCode::CreateFailed, systemErrorText(ENOENT));
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) && !std::filesystem::is_regular_file(path, ignored)) {
        // A device or a pipe is written in place: it cannot be replaced.
        errno = 0;
        file_ = std::fopen(path.c_str(), "wb");
        if (file_ == nullptr)
            return fail(ErrorCode::CreateFailed, systemErrorText(errno != 0 ? errno : EIO));
    } else {
        // A file is written beside its target and renamed over it once
        // whole, so a failed render leaves the previous file as it was.
        Result<ReplacementFile> replacement = ReplacementFile::create(path);
        if (!replacement)
            return replacement.error();
        errno = 0;
        const int fd = dup(replacement->descriptor());
        file_ = fd >= 0 ? fdopen(fd, "w+b") : nullptr;
        if (file_ == nullptr) {
            if (fd >= 0)
                close(fd);
            return fail(ErrorCode::CreateFailed, systemErrorText(errno != 0 ? errno : EIO));
        }
        replacement_.emplace(std::move(*replacement));
    }
    buffer_.resize(kBufferSize);
    std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
    return {};
}

bool WavFileWriter::writeHeader(std::uint32_t sampleCount, std::int32_t sampleRate)
{
    if (failed_ || file_ == nullptr)
        return false;
    const auto header = wavHeader(sampleCount, sampleRate);
    errno = 0;
    if (std::fwrite(header.data(), 1, header.size(), file_) != header.size())
        return markFailed();
    headerCount_ = sampleCount;
    return true;
}

bool WavFileWriter::append(std::span<const std::int16_t> samples)
{
    static_assert(std::endian::native == std::endian::little, "samples are written in memory order");
    if (failed_ || file_ == nullptr)
        return false;
    errno = 0;
    if (std::fwrite(samples.data(), sizeof(std::int16_t), samples.size(), file_) != samples.size())
        return markFailed();
    return true;
}

Result<void> WavFileWriter::finish(std::uint32_t sampleCount, std::int32_t sampleRate)
{
    if (file_ == nullptr && !failed_) {
        errno = EBADF;
        markFailed();
    }
    if (!failed_ && headerCount_ != sampleCount) {
        errno = 0;
        if (std::fseek(file_, 0, SEEK_SET) != 0)
            markFailed();
        else
            writeHeader(sampleCount, sampleRate);
    }
    if (!failed_) {
        errno = 0;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!closed)
            markFailed();
    }
    closeQuietly();
    if (failed_) {
        replacement_.reset(); // the unfinished file goes; the target stays
        return fail(ErrorCode::WriteFailed, reason_);
    }
    if (replacement_) {
        // Not flushed to the disk: a WAV file is made again at will, and a
        // live character must not wait for the disk.
        Result<void> committed = replacement_->commit(false);
        replacement_.reset();
        return committed;
    }
    return {};
}

} // namespace brivo
