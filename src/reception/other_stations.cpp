#include "reception/other_stations.h"

#include "common/edit_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace brivo::reception {
namespace {

constexpr std::array<const char*, 16> kPrefixes = {"F",  "DL", "G",  "I",  "EA", "ON", "HB9", "PA",
                                                   "OK", "SP", "OH", "SM", "W",  "K",  "VE",  "JA"};

std::string randomCall(BandRandom& random)
{
    const auto pick = [&random](std::size_t count) {
        return static_cast<std::size_t>(random.uniform() * static_cast<double>(count));
    };
    std::string call = kPrefixes[pick(kPrefixes.size())];
    call += static_cast<char>('0' + pick(10));
    for (std::size_t letters = 1 + pick(3); letters > 0; --letters)
        call += static_cast<char>('A' + pick(26));
    return call;
}

} // namespace

std::string randomExchange(BandRandom& random)
{
    const std::string a = randomCall(random);
    const std::string b = randomCall(random);
    const int serial = 1 + static_cast<int>(random.uniform() * 999);
    switch (static_cast<int>(random.uniform() * 5)) {
    case 0:
        return "CQ CQ DE " + a + " " + a + " K ";
    case 1:
        return b + " DE " + a + " 5NN " + std::to_string(serial) + " K ";
    case 2:
        return b + " DE " + a + " TU 73 ";
    case 3:
        return "TEST " + a + " " + a + " ";
    default:
        return "QRZ DE " + a + " K ";
    }
}

OtherStations::OtherStations(int count, double toneHz, double amplitude, double lengthSeconds, int sampleRate,
                             const MorseTable& table, const ReceptionConditions& conditions, BandRandom& random)
{
    for (int i = 0; i < count; ++i) {
        Station station;
        const double offset = 150 * random.gaussian();
        const double hz = std::clamp(toneHz + offset, 100.0, sampleRate / 2.0 - 100);
        station.angle = 2 * std::numbers::pi * hz / sampleRate;
        station.turn = std::polar(1.0, station.angle);
        station.amplitude = amplitude * std::pow(10.0, random.uniform(-10, 10) / 20);
        const double wpm = random.uniform(15, 40);
        const double unit = 1.2 / wpm;
        std::vector<Mark> marks;
        for (double time = random.uniform(0, 3); time < lengthSeconds;) {
            const KeyedText text = keyedTextFromUtf8(randomExchange(random));
            const KeyedMarks keyed = keyedMarks(text, table, RenderForm::Live, 1, unit, std::nullopt);
            for (const Mark& mark : keyed.marks)
                marks.push_back({time + mark.start, time + mark.end});
            time += keyed.length + random.uniform(0.5, 3);
        }
        station.envelope =
            std::make_unique<KeyingEnvelope>(marks, sampleRate, EnvelopeShape::BlackmanHarris, kDefaultRiseMs / 1000);
        const double spread = conditions.qsbHz.value_or(0.1);
        station.fading = std::make_unique<Fading>(spread, conditions.qsbHz ? conditions.qsbK : 2.0, sampleRate, random);
        station.rotor = std::polar(1.0, 2 * std::numbers::pi * random.uniform());
        stations_.push_back(std::move(station));
    }
}

void OtherStations::addTo(double* out, std::int64_t first, std::size_t count)
{
    const std::int64_t last = first + static_cast<std::int64_t>(count);
    for (Station& s : stations_) {
        for (std::int64_t n = first; n < last;) {
            const double key = s.envelope->at(n);
            if (key == 0) {
                // Key up: the oscillator and the fading move on in one step.
                const std::int64_t run = std::min(s.envelope->steadyUntil(n), last) - n;
                s.fading->skip(run);
                s.rotor *= std::polar(1.0, s.angle * static_cast<double>(run));
                n += run;
                continue;
            }
            out[n - first] += s.amplitude * key * realOfProduct(s.fading->next(), s.rotor);
            s.rotor = product(s.rotor, s.turn);
            ++n;
        }
        s.rotor /= std::abs(s.rotor); // held on the unit circle
    }
}

} // namespace brivo::reception
