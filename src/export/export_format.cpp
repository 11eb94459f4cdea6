#include "export/export_format.h"

#include <algorithm>
#include <cctype>

namespace brivo::exporting {
namespace {

struct FormatNames {
    ExportFormat format;
    std::string_view extension;
    std::string_view name;
    std::string_view label;
};

constexpr std::array<FormatNames, 5> kNames{{
    {ExportFormat::Wav, ".wav", "wav", "WAV"},
    {ExportFormat::Flac, ".flac", "flac", "FLAC"},
    {ExportFormat::Mp3, ".mp3", "mp3", "MP3"},
    {ExportFormat::Vorbis, ".ogg", "ogg", "Ogg Vorbis"},
    {ExportFormat::Opus, ".opus", "opus", "Opus"},
}};

const FormatNames& namesOf(ExportFormat format)
{
    return kNames[static_cast<std::size_t>(format)];
}

} // namespace

std::optional<ExportFormat> formatFromExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const FormatNames& names : kNames) {
        if (names.extension == extension)
            return names.format;
    }
    return std::nullopt;
}

std::optional<ExportFormat> formatNamed(std::string_view name)
{
    if (name == "vorbis")
        return ExportFormat::Vorbis;
    for (const FormatNames& names : kNames) {
        if (names.name == name)
            return names.format;
    }
    return std::nullopt;
}

std::string_view formatExtension(ExportFormat format)
{
    return namesOf(format).extension;
}

std::string_view formatLabel(ExportFormat format)
{
    return namesOf(format).label;
}

bool isLossless(ExportFormat format)
{
    return format == ExportFormat::Wav || format == ExportFormat::Flac;
}

std::optional<std::string> rateRefusal(ExportFormat format, int sampleRate)
{
    // Opus also takes 12 kHz, which is not among the export's rates.
    if (format == ExportFormat::Opus && sampleRate != 8000 && sampleRate != 16000 && sampleRate != 24000 &&
        sampleRate != 48000)
        return "Opus n'accepte que 8000, 16000, 24000 et 48000 Hz : " + std::to_string(sampleRate) +
               " Hz est refusé (choisissez par exemple 48000).";
    if (format == ExportFormat::Mp3 && sampleRate < 8000)
        return "le MP3 n'accepte pas " + std::to_string(sampleRate) + " Hz : il lui faut 8000 Hz au moins.";
    return std::nullopt;
}

int opusBitrate(int quality)
{
    const int q = std::clamp(quality, 0, 10);
    return q <= 5 ? 16000 + 1600 * q : 24000 + 8000 * (q - 5);
}

double compressionLevel(ExportFormat format, int quality)
{
    if (format == ExportFormat::Opus) {
        // libsndfile spreads its level over 6 to 256 kbit/s a channel.
        constexpr double kLowest = 6000;
        constexpr double kHighest = 256000;
        return std::clamp(1.0 - (opusBitrate(quality) - kLowest) / (kHighest - kLowest), 0.0, 1.0);
    }
    const double level = 1.0 - std::clamp(quality, 0, 10) / 10.0;
    return format == ExportFormat::Mp3 ? std::min(level, 0.95) : level;
}

} // namespace brivo::exporting
