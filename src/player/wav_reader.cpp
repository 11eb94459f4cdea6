#include "player/wav_reader.h"

#include <cstring>

namespace brivo {
namespace {

std::uint32_t read32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

std::uint16_t read16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                                  << 8);
}

Error refuse(std::string message)
{
    return fail(ErrorCode::BadFormat, std::move(message));
}

} // namespace

Result<PcmSound> readWav(std::string_view bytes)
{
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return refuse("Le fichier n'est pas un fichier WAV.");

    bool haveFormat = false;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t size = read32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > bytes.size())
                return refuse("L'en-tête du fichier WAV est tronqué.");
            const std::uint16_t format = read16(bytes, body);
            channels = read16(bytes, body + 2);
            sampleRate = read32(bytes, body + 4);
            const std::uint16_t bits = read16(bytes, body + 14);
            if (format != 1 || bits != 16)
                return refuse("Le format du fichier WAV n'est pas reconnu : seul le PCM 16 bits est lu.");
            if (channels < 1 || channels > 2 || sampleRate < 1000 || sampleRate > 192000)
                return refuse("Le format du fichier WAV n'est pas reconnu.");
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return refuse("L'en-tête du fichier WAV est incomplet.");
            if (body + size > bytes.size())
                return refuse("Le fichier WAV est tronqué.");
            const std::size_t frameBytes = sizeof(std::int16_t) * channels;
            const std::size_t count = static_cast<std::size_t>(size) / frameBytes * channels;
            PcmSound sound;
            sound.sampleRate = static_cast<int>(sampleRate);
            sound.channels = channels;
            sound.samples.resize(count);
            if (count > 0) // an empty vector may have no storage at all
                std::memcpy(sound.samples.data(), bytes.data() + body, count * sizeof(std::int16_t));
            return sound;
        }
        at = body + static_cast<std::size_t>(size) + (size & 1U);
        if (at < body) // wrapped around
            break;
    }
    return refuse("Le fichier WAV ne contient pas de données sonores.");
}

} // namespace brivo
