#include "export/audio_encoder.h"

#include "audio/wav_file_writer.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <sndfile.h>
#include <taglib/fileref.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>

namespace brivo::exporting {
namespace {

constexpr std::size_t kBlock = 1U << 15U;

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

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

Result<void> encodeWav(const std::filesystem::path& path, std::span<const std::int16_t> samples, int sampleRate,
                       const std::atomic<bool>* cancel, const std::function<void(std::uint64_t)>& written)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto header = wavHeader(static_cast<std::uint32_t>(samples.size()), sampleRate);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    std::string bytes;
    for (std::size_t done = 0; done < samples.size() && out; done += kBlock) {
        if (cancelled(cancel))
            return fail(ErrorCode::Cancelled, "Exportation annulée.");
        const std::size_t count = std::min(kBlock, samples.size() - done);
        bytes.resize(2 * count);
        for (std::size_t i = 0; i < count; ++i) {
            const auto value = static_cast<std::uint16_t>(samples[done + i]);
            bytes[2 * i] = static_cast<char>(value & 0xFFU);
            bytes[2 * i + 1] = static_cast<char>(value >> 8U);
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (written)
            written(done + count);
    }
    out.flush();
    if (!out)
        return writeFailed(path, "l'écriture a échoué (disque plein ?)");
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

Result<void> encodeSamples(const std::filesystem::path& path, std::span<const std::int16_t> samples, int sampleRate,
                           ExportFormat format, int quality, const std::atomic<bool>* cancel,
                           const std::function<void(std::uint64_t)>& written)
{
    if (format == ExportFormat::Wav)
        return encodeWav(path, samples, sampleRate, cancel, written);
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = sndfileFormat(format);
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_WRITE, &info), &sf_close);
    if (!file)
        return writeFailed(path, sf_strerror(nullptr));
    double level = compressionLevel(format, quality);
    sf_command(file.get(), SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    if (format == ExportFormat::Mp3) {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(file.get(), SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    }
    for (std::size_t done = 0; done < samples.size(); done += kBlock) {
        if (cancelled(cancel))
            return fail(ErrorCode::Cancelled, "Exportation annulée.");
        const std::size_t count = std::min(kBlock, samples.size() - done);
        if (sf_write_short(file.get(), samples.data() + done, static_cast<sf_count_t>(count)) !=
            static_cast<sf_count_t>(count))
            return writeFailed(path, sf_strerror(file.get()));
        if (written)
            written(done + count);
    }
    // The encoders write their last frames when the file closes.
    if (const int closed = sf_close(file.release()); closed != 0)
        return writeFailed(path, sf_error_number(closed));
    return {};
}

Result<void> writeTags(const std::filesystem::path& path, ExportFormat format, const Tags& tags)
{
    if (format == ExportFormat::Wav)
        return {};
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
    bool saved = false;
    if (format == ExportFormat::Mp3) {
        // ID3v2.4 only, in UTF-8: the ID3v1 tag has room for Latin-1 alone.
        TagLib::ID3v2::FrameFactory::instance()->setDefaultTextEncoding(TagLib::String::UTF8);
        TagLib::MPEG::File file(path.c_str(), false);
        if (file.isValid()) {
            file.ID3v2Tag(true)->setProperties(properties);
            saved = file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v4);
        }
    } else {
        TagLib::FileRef file(path.c_str(), false);
        if (!file.isNull()) {
            file.file()->setProperties(properties);
            saved = file.save();
        }
    }
    if (!saved)
        return writeFailed(path, "les étiquettes n'ont pas pu être écrites");
    return {};
}

} // namespace brivo::exporting
