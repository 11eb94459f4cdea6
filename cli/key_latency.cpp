#include "cli/key_latency.h"

#include "common/messages.h"
#include "common/monotonic_clock.h"
#include "player/sdl_capture.h"
#include "player/sdl_wave_player.h"
#include "sending/sidetone.h"

#include <chrono>
#include <thread>

namespace brivo::cli {

namespace {

constexpr std::int64_t kLeadMicros = 50'000;    // each pulse keyed this long after it is scheduled
constexpr std::int64_t kPulseMicros = 30'000;   // long enough to rise fully
constexpr std::int64_t kWindowMicros = 200'000; // where its return is looked for
constexpr auto kPulseSpacing = std::chrono::milliseconds(250);

} // namespace

Result<LatencyResult> measureSoundCardLatency(int pulses, int rate)
{
    SdlWavePlayer player;
    auto tone = std::make_shared<sending::Sidetone>(rate, 795, 16000, 5, monotonicMicros);
    if (const Result<void> opened = player.openLive(sharedSource(tone)); !opened)
        return opened.error();
    SdlCapture capture;
    if (const Result<void> opened = capture.open(rate); !opened)
        return opened.error();
    capture.setRunning(true);
    if (!player.play())
        return fail(ErrorCode::DeviceFailed, std::string(messages::kNoAudio));
    std::vector<std::int64_t> edges;
    for (int i = 0; i < pulses; ++i) {
        const std::int64_t edge = monotonicMicros() + kLeadMicros;
        tone->schedule({edge, true, sending::Contact::Straight});
        tone->schedule({edge + kPulseMicros, false, sending::Contact::Straight});
        edges.push_back(edge);
        std::this_thread::sleep_for(kPulseSpacing);
    }
    capture.setRunning(false);
    const sending::LoopbackCapture heard{capture.samples(), rate, capture.firstMicros()};
    std::vector<double> delays;
    for (const std::int64_t edge : edges)
        if (const std::optional<double> delay = sending::loopbackDelayMs(heard, edge, kWindowMicros))
            delays.push_back(*delay);
    if (delays.empty())
        return fail(ErrorCode::Refused, std::string(messages::kNothingCameBack));
    return LatencyResult{sending::delayStats(delays), pulses, static_cast<int>(delays.size())};
}

} // namespace brivo::cli
