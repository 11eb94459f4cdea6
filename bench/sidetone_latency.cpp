// Sidetone latency: from a key edge handed to the sidetone to the pull that
// gives the device its first sound, over `runs` edges (1000 by default) at
// 11025 and 48000 Hz, on the SDL driver chosen by the environment
// (SDL_AUDIODRIVER). Prints the median, the 99th percentile, the standard
// deviation and the device's buffer time: the goal is one buffer plus 1 ms
// at most, spread under 1 ms.
#include "player/sdl_wave_player.h"
#include "sending/sidetone.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <thread>
#include <vector>

namespace {

std::int64_t micros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The sidetone as the player pulls it, noting when a pull first had sound.
class Watched : public brivo::PcmSource {
public:
    explicit Watched(std::shared_ptr<brivo::sending::Sidetone> tone) : tone_(std::move(tone)) {}
    int sampleRate() const override { return tone_->sampleRate(); }
    int channels() const override { return 1; }
    std::uint64_t frames() const override { return tone_->frames(); }
    std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) override
    {
        const std::int64_t at = micros();
        const std::size_t made = tone_->read(first, out, count);
        const bool sound = std::any_of(out, out + made, [](std::int16_t s) { return s != 0; });
        if (sound && heardAt.load() < 0)
            heardAt.store(at);
        silent.store(!sound);
        return made;
    }
    std::atomic<std::int64_t> heardAt{-1};
    std::atomic<bool> silent{true};

private:
    std::shared_ptr<brivo::sending::Sidetone> tone_;
};

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 1000;
    for (const int rate : {11025, 48000}) {
        brivo::SdlWavePlayer player;
        auto tone = std::make_shared<brivo::sending::Sidetone>(rate, 795, 16000, 5, micros);
        auto source = std::make_unique<Watched>(tone);
        Watched* watched = source.get();
        if (const auto opened = player.openLive(std::move(source)); !opened || !player.play()) {
            std::fprintf(stderr, "sortie son indisponible\n");
            return 1;
        }
        std::vector<double> latencies;
        for (int i = 0; i < runs; ++i) {
            watched->heardAt.store(-1);
            const std::int64_t edge = micros();
            tone->schedule({edge, true, brivo::sending::Contact::Straight});
            while (watched->heardAt.load() < 0)
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            latencies.push_back(static_cast<double>(watched->heardAt.load() - edge) / 1000);
            tone->schedule({micros(), false, brivo::sending::Contact::Straight});
            while (!watched->silent.load())
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        std::sort(latencies.begin(), latencies.end());
        const double mean = std::accumulate(latencies.begin(), latencies.end(), 0.0) / runs;
        double square = 0;
        for (const double l : latencies)
            square += (l - mean) * (l - mean);
        const auto& output = player.audioOutput();
        std::printf("driver %s, %5d Hz: %d edges, sound after %.2f ms (median), %.2f ms (p99), spread %.2f ms; "
                    "device buffer %u frames = %.2f ms\n",
                    output.driverName().c_str(), rate, runs, latencies[latencies.size() / 2],
                    latencies[static_cast<std::size_t>(0.99 * static_cast<double>(latencies.size() - 1))],
                    std::sqrt(square / runs), output.bufferFrames(), output.bufferFrames() * 1000.0 / rate);
    }
    return 0;
}
