#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brivo::exporting {

// The formats a lesson can be exported to. WAV is the program's own writer; the
// others are encoded by libsndfile.
enum class ExportFormat { Wav, Flac, Mp3, Vorbis, Opus };

inline constexpr std::array<ExportFormat, 5> kExportFormats = {ExportFormat::Wav, ExportFormat::Flac, ExportFormat::Mp3,
                                                               ExportFormat::Vorbis, ExportFormat::Opus};

// The rates an export may take: the window's five, and 24, 44.1 and 48 kHz.
inline constexpr std::array<int, 8> kExportRates = {4000, 8000, 11025, 16000, 22050, 24000, 44100, 48000};

// From a file's extension (.wav .flac .mp3 .ogg .opus, in any case).
std::optional<ExportFormat> formatFromExtension(const std::filesystem::path& path);
// From a name: wav, flac, mp3, ogg (or vorbis), opus.
std::optional<ExportFormat> formatNamed(std::string_view name);
std::string_view formatExtension(ExportFormat format); // ".mp3"
std::string_view formatLabel(ExportFormat format);     // "MP3"
bool isLossless(ExportFormat format);

// Why a format cannot be written at a rate (French), or nothing: Opus takes
// only 8, 12, 16, 24 and 48 kHz, MP3 none under 8 kHz.
std::optional<std::string> rateRefusal(ExportFormat format, int sampleRate);

// The encoder's compression level (0 .. 1) for a quality of 0 (smallest
// file) to 10 (best sound): 1 - quality / 10, kept under 1.0 for MP3,
// whose encoder refuses it. For FLAC, which is lossless, quality 0 packs
// the file the hardest. Opus takes the level of `opusBitrate`.
double compressionLevel(ExportFormat format, int quality);

// The mono Opus bit rate of a quality: 16 kbit/s at 0, 24 at 5 (speech
// and Morse are clear at it), 64 at 10.
int opusBitrate(int quality);

} // namespace brivo::exporting
