#include "export/audio_encoder.h"

#include "audio/wav_file_writer.h"
#include "common/file_io.h"
#include "export/descriptor_io.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
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

Result<void> writeFailed(const std::filesystem::path& path, const std::string& reason)
{
    return fail(ErrorCode::WriteFailed, "Impossible d'écrire « " + path.string() + " » : " + reason);
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
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = sndfileFormat(format);
    if (sf_format_check(&info) == 0)
        return "la bibliothèque libsndfile de ce système n'écrit pas le format " + std::string(formatLabel(format)) +
               ".";
    return std::nullopt;
}

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

Result<void> TrackEncoder::write(std::span<const std::int16_t> samples)
{
    if (file_ == nullptr) {
        bytes_.resize(2 * samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const auto value = static_cast<std::uint16_t>(samples[i]);
            bytes_[2 * i] = static_cast<char>(value & 0xFFU);
            bytes_[2 * i + 1] = static_cast<char>(value >> 8U);
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
            return fail(ErrorCode::Cancelled, "Exportation annulée.");
        if (Result<void> written = (*encoder)->write(samples.subspan(done, std::min(kBlock, samples.size() - done)));
            !written)
            return written;
    }
    return (*encoder)->finish(tags);
}

} // namespace brivo::exporting
