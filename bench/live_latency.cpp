// Live keying latency: from the moment a character is taken from the queue
// (render of the live form, open, play: what the live timer does) to the
// first sample handed to the audio device, on the SDL driver chosen by the
// environment (SDL_AUDIODRIVER). Prints the median, 95th percentile and
// worst case over a run, and the device's own buffer time.
#include "audio/message_renderer.h"
#include "common/edit_text.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "player/sdl_wave_player.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 50;
    const auto table = brivo::tableFromContent(brivo::defaultDefinitionContent());
    const auto path = std::filesystem::temp_directory_path() / "brivo-live-latency.wav";
    brivo::SdlWavePlayer player;
    brivo::SteadyClock clock;
    brivo::RandomGenerator random(1);
    std::vector<double> latencies;
    for (int i = 0; i < runs; ++i) {
        brivo::RenderRequest request;
        request.path = path;
        request.form = brivo::RenderForm::Live;
        request.text = brivo::keyedTextFromUtf8(i % 2 == 0 ? "E" : "T");
        const double taken = clock.now();
        if (!brivo::renderMorseFile(request, table, random)) {
            std::fprintf(stderr, "rendu impossible\n");
            return 1;
        }
        if (const auto opened = player.open(path); !opened) {
            std::fprintf(stderr, "%s\n", opened.error().message.c_str());
            return 1;
        }
        player.play();
        while (player.firstPullAfterPlay() < 0)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        latencies.push_back((player.firstPullAfterPlay() - taken) * 1000.0);
        while (player.mode() == brivo::PlayerMode::Playing)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) {
        return latencies[static_cast<std::size_t>(q * static_cast<double>(latencies.size() - 1))];
    };
    const auto& output = player.audioOutput();
    std::printf("driver %s: %d characters, first sample after %.2f ms (median), %.2f ms (p95), %.2f ms (max); "
                "device buffer %u frames = %.2f ms at 11025 Hz\n",
                output.driverName().c_str(), runs, at(0.5), at(0.95), latencies.back(), output.bufferFrames(),
                output.bufferFrames() * 1000.0 / 11025);
    std::filesystem::remove(path);
    return 0;
}
