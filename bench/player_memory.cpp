// The player's memory against the size of the file it plays: writes a WAV
// file of the given size (MiB, default 1024) into BRIVO_BENCH_DIR or the
// temporary folder, then prints the resident memory before open, once the
// file is open and idle, and after playing it for two seconds on the SDL
// driver chosen by the environment (SDL_AUDIODRIVER).
#include "audio/wav_file_writer.h"
#include "player/sdl_wave_player.h"
#include "resident_memory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

bool writeFile(const std::filesystem::path& path, std::uint64_t samples)
{
    brivo::WavFileWriter writer;
    if (!writer.create(path) || !writer.writeHeader(static_cast<std::uint32_t>(samples), 11025))
        return false;
    std::vector<std::int16_t> block(1U << 20U);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::int16_t>((i % 16) * 1000);
    for (std::uint64_t done = 0; done < samples; done += block.size())
        writer.append(
            std::span(block).first(static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), samples - done))));
    return static_cast<bool>(writer.finish(static_cast<std::uint32_t>(samples), 11025));
}

} // namespace

int main(int argc, char** argv)
{
    const std::uint64_t mebibytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
    const char* folder = std::getenv("BRIVO_BENCH_DIR");
    const auto path =
        std::filesystem::path(folder != nullptr ? folder : std::filesystem::temp_directory_path().c_str()) /
        "brivo-player-memory.wav";
    if (!writeFile(path, mebibytes * 1024 * 1024 / 2)) {
        std::fprintf(stderr, "écriture impossible : %s\n", path.c_str());
        return 1;
    }
    brivo::SdlWavePlayer player;
    const long before = residentKilobytes();
    if (const auto opened = player.open(path); !opened) {
        std::fprintf(stderr, "%s\n", opened.error().message.c_str());
        return 1;
    }
    const long idle = residentKilobytes();
    player.play();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long playing = residentKilobytes();
    const auto position = player.positionMs();
    player.close();
    std::filesystem::remove(path);
    std::printf("lecteur, fichier de %llu Mio : %ld Kio avant ouverture, %ld Kio ouvert, %ld Kio en lecture "
                "(position %u ms)\n",
                static_cast<unsigned long long>(mebibytes), before, idle, playing, position);
    return 0;
}
