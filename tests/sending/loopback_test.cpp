// The loop-back check's timing of each pulse that came back.
#include "sending/loopback.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace brivo::sending {
namespace {

// Pulses keyed every 250 ms from 1 s on come back after 20 ms, then 21,
// 22 ...; the fourth never does. A rise takes 5 ms under hum at 300.
TEST(Loopback, TimesEachPulseFromItsEdgeToItsRise)
{
    LoopbackCapture capture{std::vector<std::int16_t>(11025 * 3), 11025, 900'000};
    for (std::size_t i = 0; i < capture.samples.size(); ++i)
        capture.samples[i] =
            static_cast<std::int16_t>(300 * std::sin(2 * std::numbers::pi * 50 * static_cast<double>(i) / 11025.0));
    const auto sampleAt = [&](double micros) { return static_cast<std::size_t>((micros - 900'000) * 11025 / 1e6); };
    for (int pulse = 0; pulse < 5; ++pulse) {
        if (pulse == 3)
            continue;
        const std::size_t rise = sampleAt(1e6 + 250'000 * pulse + 20'000 + 1000 * pulse);
        for (std::size_t i = 0; i < 330; ++i)
            capture.samples[rise + i] =
                static_cast<std::int16_t>(std::min(1.0, static_cast<double>(i) / 55) * 12000 *
                                          std::sin(2 * std::numbers::pi * 795 * static_cast<double>(i) / 11025.0));
    }
    for (int pulse = 0; pulse < 5; ++pulse) {
        const std::optional<double> delay = loopbackDelayMs(capture, 1'000'000 + 250'000 * pulse, 200'000);
        if (pulse == 3) {
            EXPECT_FALSE(delay);
        } else {
            ASSERT_TRUE(delay) << pulse;
            // The rise passes a quarter of the peak within its first 2 ms.
            EXPECT_NEAR(*delay, 20 + pulse + 1, 1.2) << pulse;
        }
    }
    EXPECT_FALSE(loopbackDelayMs(capture, 4'000'000, 200'000)); // after the capture
    const DelayStats stats = delayStats({3, 1, 2, 4});
    EXPECT_EQ(stats.medianMs, 3);
    EXPECT_EQ(stats.p99Ms, 4);
    EXPECT_NEAR(stats.spreadMs, std::sqrt(1.25), 1e-12);
}

} // namespace
} // namespace brivo::sending
