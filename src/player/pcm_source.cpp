#include "player/pcm_source.h"

#include "common/file_io.h"
#include "common/messages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace brivo {
namespace {

class MemorySource final : public PcmSource {
public:
    explicit MemorySource(PcmSound sound) : sound_(std::move(sound)) {}

    int sampleRate() const override { return sound_.sampleRate; }
    int channels() const override { return sound_.channels; }
    std::uint64_t frames() const override { return sound_.frames(); }

    std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) override
    {
        if (first >= frames())
            return 0;
        const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(count, frames() - first));
        const auto width = static_cast<std::size_t>(sound_.channels);
        std::memcpy(out, sound_.samples.data() + first * width, taken * width * sizeof(std::int16_t));
        return taken;
    }

private:
    PcmSound sound_;
};

// Reads at an offset, retrying on interruption; returns the bytes read.
std::size_t preadFully(int fd, std::uint64_t offset, char* out, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

class WavFileSource final : public PcmSource {
public:
    WavFileSource(int fd, WavLayout layout) : fd_(fd), layout_(layout)
    {
        const auto frames = static_cast<std::size_t>(layout.sampleRate) * kReadAheadMs / 1000;
        buffer_.resize(std::max<std::size_t>(frames, 1) * static_cast<std::size_t>(layout.channels));
        bytes_.resize(buffer_.size() * sizeof(std::int16_t));
    }
    ~WavFileSource() override { ::close(fd_); }
    WavFileSource(const WavFileSource&) = delete;
    WavFileSource& operator=(const WavFileSource&) = delete;

    int sampleRate() const override { return layout_.sampleRate; }
    int channels() const override { return layout_.channels; }
    std::uint64_t frames() const override { return layout_.frames; }

    std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) override
    {
        const auto width = static_cast<std::size_t>(layout_.channels);
        std::size_t copied = 0;
        while (copied < count) {
            const std::uint64_t at = first + copied;
            if (at < bufferFirst_ || at >= bufferFirst_ + bufferFrames_) {
                if (!fill(at))
                    break;
            }
            const auto offset = static_cast<std::size_t>(at - bufferFirst_);
            const std::size_t taken = std::min<std::size_t>(count - copied, bufferFrames_ - offset);
            std::memcpy(out + copied * width, buffer_.data() + offset * width, taken * width * sizeof(std::int16_t));
            copied += taken;
        }
        return copied;
    }

private:
    // Loads the buffer from frame `first`; false when nothing could be read.
    bool fill(std::uint64_t first)
    {
        bufferFirst_ = first;
        bufferFrames_ = 0;
        if (first >= layout_.frames)
            return false;
        const auto width = static_cast<std::size_t>(layout_.channels);
        const std::size_t wanted = std::min<std::uint64_t>(buffer_.size() / width, layout_.frames - first);
        const std::size_t frameBytes = width * sizeof(std::int16_t);
        const std::size_t got =
            preadFully(fd_, layout_.dataOffset + first * frameBytes, bytes_.data(), wanted * frameBytes);
        bufferFrames_ = got / frameBytes;
        decodeSamples(bytes_.data(), buffer_.data(), bufferFrames_ * width);
        return bufferFrames_ > 0;
    }

    int fd_;
    WavLayout layout_;
    std::vector<std::int16_t> buffer_;
    std::vector<char> bytes_;
    std::uint64_t bufferFirst_ = 0;
    std::size_t bufferFrames_ = 0;
};

} // namespace

std::unique_ptr<PcmSource> memorySource(PcmSound sound)
{
    return std::make_unique<MemorySource>(std::move(sound));
}

Result<std::unique_ptr<PcmSource>> openWavFile(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(ErrorCode::ReadFailed, systemErrorText(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int reason = errno;
        ::close(fd);
        return fail(ErrorCode::ReadFailed, systemErrorText(reason));
    }
    if (!S_ISREG(info.st_mode)) { // a folder or a device: no size to check the header against
        ::close(fd);
        return fail(ErrorCode::ReadFailed, std::string(messages::kNotAFile));
    }
    const ReadAt fromFile = [fd](std::uint64_t offset, char* out, std::size_t count) {
        return preadFully(fd, offset, out, count);
    };
    Result<WavLayout> layout = readWavLayout(static_cast<std::uint64_t>(info.st_size), fromFile);
    if (!layout) {
        ::close(fd);
        return layout.error();
    }
    return std::unique_ptr<PcmSource>(std::make_unique<WavFileSource>(fd, *layout));
}

namespace {

class SharedSource : public PcmSource {
public:
    explicit SharedSource(std::shared_ptr<PcmSource> shared) : shared_(std::move(shared)) {}
    int sampleRate() const override { return shared_->sampleRate(); }
    int channels() const override { return shared_->channels(); }
    std::uint64_t frames() const override { return shared_->frames(); }
    std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) override
    {
        return shared_->read(first, out, count);
    }

private:
    std::shared_ptr<PcmSource> shared_;
};

} // namespace

std::unique_ptr<PcmSource> sharedSource(std::shared_ptr<PcmSource> shared)
{
    return std::make_unique<SharedSource>(std::move(shared));
}

} // namespace brivo
