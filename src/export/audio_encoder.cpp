#include "export/audio_encoder.h"

#include "audio/wav_file_writer.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "export/descriptor_io.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <lame/lame.h>
#include <memory>
#include <sndfile.h>
#include <taglib/fileref.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <unistd.h>

namespace brivo::exporting {
namespace {

int sndfileFormat(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Flac:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case ExportFormat::Mp3:
        return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    case ExportFormat::Vorbis:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case ExportFormat::Opus:
        return SF_FORMAT_OGG | SF_FORMAT_OPUS;
    case ExportFormat::Wav:
        break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

// LAME's algorithm quality (0 best, 9 fastest): 7 leaves the tones and
// their edges as the slower settings do, at twice the speed.
constexpr int kLameAlgorithmQuality = 7;
constexpr std::size_t kWriteSize = std::size_t{1} << 16U;

Result<void> writeFailed(const std::filesystem::path& path, const std::string& reason)
{
    return fail(ErrorCode::WriteFailed, messages::cannotWrite(path.string(), reason));
}

Result<void> writeFailed(const std::filesystem::path& path, const DescriptorIo& io)
{
    return writeFailed(path, systemErrorText(io.failure() != 0 ? io.failure() : EIO));
}

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

Result<void> writeTags(DescriptorIo& io, const std::filesystem::path& target, ExportFormat format, const Tags& tags)
{
    TagLib::PropertyMap properties;
    const auto set = [&properties](const char* key, const std::string& value) {
        if (!value.empty())
            properties.replace(key, TagLib::StringList(TagLib::String(value, TagLib::String::UTF8)));
    };
    set("TITLE", tags.title);
    set("ARTIST", tags.artist);
    set("ALBUM", tags.album);
    set("COMMENT", tags.comment);
    if (tags.track > 0) {
        set("TRACKNUMBER", format == ExportFormat::Mp3 && tags.trackCount > 0
                               ? std::to_string(tags.track) + "/" + std::to_string(tags.trackCount)
                               : std::to_string(tags.track));
        if (format != ExportFormat::Mp3 && tags.trackCount > 0)
            set("TRACKTOTAL", std::to_string(tags.trackCount));
    }
    lseek(io.descriptor(), 0, SEEK_SET);
    TagStream stream(io, target.string());
    bool saved = false;
    if (format == ExportFormat::Mp3) {
        // ID3v2.4 only, in UTF-8: the ID3v1 tag has room for Latin-1 alone.
        TagLib::ID3v2::FrameFactory::instance()->setDefaultTextEncoding(TagLib::String::UTF8);
        TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
        if (file.isValid()) {
            file.ID3v2Tag(true)->setProperties(properties);
            saved = file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v4);
        }
    } else {
        TagLib::FileRef file(&stream, false);
        if (!file.isNull()) {
            file.file()->setProperties(properties);
            saved = file.save();
        }
    }
    if (io.failure() != 0)
        return writeFailed(target, io);
    if (!saved)
        return writeFailed(target, "les étiquettes n'ont pas pu être écrites");
    return {};
}

} // namespace

std::optional<std::string> formatUnavailable(ExportFormat format, int sampleRate)
{
    if (std::optional<std::string> refusal = rateRefusal(format, sampleRate))
        return refusal;
    if (format == ExportFormat::Mp3)
        return std::nullopt;
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = sndfileFormat(format);
    if (sf_format_check(&info) == 0)
        return "la bibliothèque libsndfile de ce système n'écrit pas le format " + std::string(formatLabel(format)) +
               ".";
    return std::nullopt;
}

// LAME's encoder, closed with it.
struct Mp3Encoder {
    lame_t lame = lame_init();
    ~Mp3Encoder()
    {
        if (lame != nullptr)
            lame_close(lame);
    }
    Mp3Encoder() = default;
    Mp3Encoder(const Mp3Encoder&) = delete;
    Mp3Encoder& operator=(const Mp3Encoder&) = delete;
};

TrackEncoder::TrackEncoder(int fd, std::filesystem::path target, ExportFormat format)
    : io_(fd), target_(std::move(target)), format_(format)
{}

TrackEncoder::~TrackEncoder()
{
    if (file_ != nullptr)
        sf_close(file_);
}

Result<void> TrackEncoder::failed() const
{
    return writeFailed(target_, io_);
}

Result<std::unique_ptr<TrackEncoder>> TrackEncoder::start(int fd, const std::filesystem::path& target, int sampleRate,
                                                          ExportFormat format, int quality, std::uint64_t sampleCount)
{
    std::unique_ptr<TrackEncoder> encoder(new TrackEncoder(fd, target, format));
    if (format == ExportFormat::Wav) {
        const auto header = wavHeader(static_cast<std::uint32_t>(sampleCount), sampleRate);
        if (!encoder->io_.writeAll(header.data(), header.size()))
            return encoder->failed().error();
        return encoder;
    }
    if (format == ExportFormat::Mp3) {
        encoder->mp3_ = std::make_unique<Mp3Encoder>();
        lame_t lame = encoder->mp3_->lame;
        if (lame != nullptr)
            lame_set_write_id3tag_automatic(lame, 0);
        const bool set = lame != nullptr && lame_set_in_samplerate(lame, sampleRate) == 0 &&
                         lame_set_out_samplerate(lame, sampleRate) == 0 && lame_set_num_channels(lame, 1) == 0 &&
                         lame_set_mode(lame, MONO) == 0 && lame_set_VBR(lame, vbr_default) == 0 &&
                         lame_set_VBR_quality(lame, static_cast<float>(compressionLevel(format, quality) * 10)) == 0 &&
                         lame_set_quality(lame, kLameAlgorithmQuality) == 0 && lame_set_bWriteVbrTag(lame, 1) == 0 &&
                         lame_init_params(lame) >= 0;
        if (!set)
            return writeFailed(target, "l'encodeur MP3 n'a pas pu démarrer").error();
        return encoder;
    }
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = sndfileFormat(format);
    encoder->file_ = sf_open_virtual(&DescriptorIo::sndfileIo(), SFM_WRITE, &info, &encoder->io_);
    if (encoder->file_ == nullptr)
        return (encoder->io_.failure() != 0
                    ? encoder->failed()
                    : writeFailed(target, "l'encodeur " + std::string(formatLabel(format)) + " n'a pas pu démarrer"))
            .error();
    double level = compressionLevel(format, quality);
    sf_command(encoder->file_, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    if (format == ExportFormat::Mp3) {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(encoder->file_, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    }
    return encoder;
}

Result<void> TrackEncoder::flushBytes()
{
    if (!bytes_.empty() && !io_.writeAll(bytes_.data(), bytes_.size()))
        return failed();
    bytes_.clear();
    return {};
}

Result<void> TrackEncoder::write(std::span<const std::int16_t> samples)
{
    if (mp3_) {
        const std::size_t held = bytes_.size();
        bytes_.resize(held + samples.size() * 5 / 4 + 7200);
        const int made = lame_encode_buffer(mp3_->lame, samples.data(), nullptr, static_cast<int>(samples.size()),
                                            bytes_.data() + held, static_cast<int>(bytes_.size() - held));
        if (made < 0)
            return writeFailed(target_, "l'encodeur MP3 a échoué");
        bytes_.resize(held + static_cast<std::size_t>(made));
        return bytes_.size() >= kWriteSize ? flushBytes() : Result<void>{};
    }
    if (file_ == nullptr) {
        bytes_.resize(2 * samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const auto value = static_cast<std::uint16_t>(samples[i]);
            bytes_[2 * i] = static_cast<unsigned char>(value & 0xFFU);
            bytes_[2 * i + 1] = static_cast<unsigned char>(value >> 8U);
        }
        if (!io_.writeAll(bytes_.data(), bytes_.size()))
            return failed();
        return {};
    }
    if (sf_write_short(file_, samples.data(), static_cast<sf_count_t>(samples.size())) !=
            static_cast<sf_count_t>(samples.size()) ||
        io_.failure() != 0)
        return failed();
    return {};
}

Result<void> TrackEncoder::finish(const Tags& tags)
{
    if (mp3_) {
        // The last frames, then the LAME tag over the first frame that
        // LAME left for it: decoders take the exact length from it.
        const std::size_t held = bytes_.size();
        bytes_.resize(held + 7200);
        const int made = lame_encode_flush(mp3_->lame, bytes_.data() + held, 7200);
        if (made < 0)
            return writeFailed(target_, "l'encodeur MP3 a échoué");
        bytes_.resize(held + static_cast<std::size_t>(made));
        if (Result<void> flushed = flushBytes(); !flushed)
            return flushed;
        std::vector<unsigned char> tag(2880);
        const std::size_t size = lame_get_lametag_frame(mp3_->lame, tag.data(), tag.size());
        if (size > 0 && (lseek(io_.descriptor(), 0, SEEK_SET) != 0 || !io_.writeAll(tag.data(), size)))
            return failed();
        mp3_.reset();
        return writeTags(io_, target_, format_, tags);
    }
    if (file_ == nullptr)
        return {};
    // The encoders write their last frames when the file closes.
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0 || io_.failure() != 0)
        return failed();
    return writeTags(io_, target_, format_, tags);
}

Result<void> encodeTrack(int fd, const std::filesystem::path& target, std::span<const std::int16_t> samples,
                         int sampleRate, ExportFormat format, int quality, const Tags& tags,
                         const std::atomic<bool>* cancel)
{
    Result<std::unique_ptr<TrackEncoder>> encoder =
        TrackEncoder::start(fd, target, sampleRate, format, quality, samples.size());
    if (!encoder)
        return encoder.error();
    constexpr std::size_t kBlock = 1U << 15U;
    for (std::size_t done = 0; done < samples.size(); done += kBlock) {
        if (cancelled(cancel))
            return fail(ErrorCode::Cancelled, std::string(messages::kExportCancelled));
        if (Result<void> written = (*encoder)->write(samples.subspan(done, std::min(kBlock, samples.size() - done)));
            !written)
            return written;
    }
    return (*encoder)->finish(tags);
}

} // namespace brivo::exporting
