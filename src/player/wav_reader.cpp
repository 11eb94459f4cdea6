#include "player/wav_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace brivo {
namespace {

std::uint32_t read32(const char* bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return value;
}

std::uint16_t read16(const char* bytes)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1]) << 8);
}

Error refuse(std::string message)
{
    return fail(ErrorCode::BadFormat, std::move(message));
}

} // namespace

Result<WavLayout> readWavLayout(std::uint64_t fileSize, const ReadAt& readAt)
{
    std::array<char, 16> head{};
    if (fileSize < 12 || readAt(0, head.data(), 12) != 12 || std::memcmp(head.data(), "RIFF", 4) != 0 ||
        std::memcmp(head.data() + 8, "WAVE", 4) != 0)
        return refuse("Le fichier n'est pas un fichier WAV.");

    bool haveFormat = false;
    WavLayout layout;
    for (std::uint64_t at = 12; at + 8 <= fileSize;) {
        if (readAt(at, head.data(), 8) != 8)
            return refuse("Le fichier WAV est tronqué.");
        const std::uint64_t size = read32(head.data() + 4);
        const std::uint64_t body = at + 8;
        if (std::memcmp(head.data(), "fmt ", 4) == 0) {
            if (size < 16 || body + 16 > fileSize || readAt(body, head.data(), 16) != 16)
                return refuse("L'en-tête du fichier WAV est tronqué.");
            const std::uint16_t format = read16(head.data());
            const std::uint16_t channels = read16(head.data() + 2);
            const std::uint32_t sampleRate = read32(head.data() + 4);
            const std::uint16_t bits = read16(head.data() + 14);
            if (format != 1 || bits != 16)
                return refuse("Le format du fichier WAV n'est pas reconnu : seul le PCM 16 bits est lu.");
            if (channels < 1 || channels > 2 || sampleRate < 1000 || sampleRate > 192000)
                return refuse("Le format du fichier WAV n'est pas reconnu.");
            layout.channels = channels;
            layout.sampleRate = static_cast<int>(sampleRate);
            haveFormat = true;
        } else if (std::memcmp(head.data(), "data", 4) == 0) {
            if (!haveFormat)
                return refuse("L'en-tête du fichier WAV est incomplet.");
            if (body + size > fileSize)
                return refuse("Le fichier WAV est tronqué.");
            layout.dataOffset = body;
            layout.frames = size / (sizeof(std::int16_t) * static_cast<std::uint64_t>(layout.channels));
            return layout;
        }
        at = body + size + (size & 1U); // sizes are 32-bit: no wrap in 64 bits
    }
    return refuse("Le fichier WAV ne contient pas de données sonores.");
}

void decodeSamples(const char* bytes, std::int16_t* out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::int16_t>(read16(bytes + 2 * i));
}

Result<PcmSound> readWav(std::string_view bytes)
{
    const ReadAt fromMemory = [bytes](std::uint64_t offset, char* out, std::size_t count) -> std::size_t {
        if (offset >= bytes.size())
            return 0;
        const std::size_t copied = std::min<std::size_t>(count, bytes.size() - static_cast<std::size_t>(offset));
        std::memcpy(out, bytes.data() + offset, copied);
        return copied;
    };
    const Result<WavLayout> layout = readWavLayout(bytes.size(), fromMemory);
    if (!layout)
        return layout.error();
    PcmSound sound;
    sound.sampleRate = layout->sampleRate;
    sound.channels = layout->channels;
    sound.samples.resize(static_cast<std::size_t>(layout->frames) * static_cast<std::size_t>(layout->channels));
    decodeSamples(bytes.data() + layout->dataOffset, sound.samples.data(), sound.samples.size());
    return sound;
}

} // namespace brivo
