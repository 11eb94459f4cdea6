#include "reception/reception_renderer.h"

#include "audio/wav_file_writer.h"
#include "common/messages.h"
#include "reception/atmospherics.h"
#include "reception/band_random.h"
#include "reception/bandpass_filter.h"
#include "reception/fading.h"
#include "reception/keying_envelope.h"
#include "reception/other_stations.h"
#include "reception/receiver_agc.h"
#include "reception/speed_ramp.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

namespace brivo::reception {
namespace {

constexpr std::uint64_t kProgressStep = std::uint64_t{1} << 20;
constexpr std::size_t kBlock = 8192;
constexpr double kAgcCeiling = 16384; // -6 dBFS
constexpr double kNegligibleHz = 1e-4;

// A turn by a small angle (a chirp's offset, under 0.05 rad a sample): its
// series to the fifth power, within 1e-11 of polar().
std::complex<double> smallTurn(double angle)
{
    const double a2 = angle * angle;
    return {1 - a2 / 2 * (1 - a2 / 12), angle * (1 - a2 / 6 * (1 - a2 / 20))};
}

// Rounded half away from zero, as lround, and held to 16 bits.
std::int16_t clipped(double value)
{
    const double held = std::clamp(value, -32768.0, 32767.0);
    return static_cast<std::int16_t>(held >= 0 ? held + 0.5 : held - 0.5);
}

EnvelopeShape shapeOf(const ReceptionConditions& c)
{
    return c.shape.value_or(EnvelopeShape::BlackmanHarris);
}
double riseOf(const ReceptionConditions& c)
{
    return c.riseMs.value_or(kDefaultRiseMs) / 1000;
}

// The key-downs of the render. When the first one starts too early for its
// whole rise (the live form has no leading silence), everything moves later
// by the missing samples, so the file starts at zero with no click.
KeyedMarks renderMarks(const RenderRequest& request, const MorseTable& table, const ReceptionConditions& c,
                       int sampleRate, const KeyingValues& values)
{
    KeyedMarks keyed =
        c.rampToWpm ? rampedMarks(request.text, table, request.form, request.parameters.spacingFactor,
                                  values.unitDuration, c.effectiveWpm, values.unitsPerWord, {*c.rampToWpm, sampleRate})
                    : keyedMarks(request.text, table, request.form, request.parameters.spacingFactor,
                                 values.unitDuration, c.effectiveWpm, values.unitsPerWord);
    const std::int64_t lead = leadInSamples(keyed.marks, sampleRate, shapeOf(c), riseOf(c));
    if (lead > 0) {
        const double shift = static_cast<double>(lead) / sampleRate;
        for (Mark& mark : keyed.marks) {
            mark.start += shift;
            mark.end += shift;
        }
        keyed.length += shift;
    }
    return keyed;
}

// Moves the key-downs after each opening later by its length, and gives
// the samples opened in all.
std::uint64_t openKeyUps(KeyedMarks& keyed, const Openings& openings, int sampleRate)
{
    std::uint64_t opened = 0;
    std::size_t next = 0;
    for (Mark& mark : keyed.marks) {
        for (; next < openings.size() && static_cast<double>(openings[next].at) <= mark.start * sampleRate; ++next)
            opened += openings[next].length;
        mark.start += static_cast<double>(opened) / sampleRate;
        mark.end += static_cast<double>(opened) / sampleRate;
    }
    for (; next < openings.size(); ++next)
        opened += openings[next].length;
    keyed.length += static_cast<double>(opened) / sampleRate;
    return opened;
}

} // namespace

KeyedMarks renderedMarks(const RenderRequest& request, const MorseTable& table, const ReceptionConditions& conditions)
{
    const int sampleRate = renderSampleRate(request);
    const KeyingValues values = deriveKeyingValues(request.parameters, sampleRate);
    if (conditions.any())
        return renderMarks(request, table, conditions, sampleRate, values);
    return keyedMarks(request.text, table, request.form, request.parameters.spacingFactor,
                      static_cast<double>(values.samplesPerUnit) / sampleRate, std::nullopt, values.unitsPerWord);
}

SignalLevels signalLevels(double snrDb)
{
    const double snr2500 = snrDb - 10 * std::log10(5.0);
    const int signal = kNoiseFloorS + static_cast<int>(std::lround(snr2500 / 6));
    return {snr2500, std::clamp(signal, 0, 9), kNoiseFloorS};
}

Result<RenderedFile> renderReceptionSamples(const RenderRequest& request, const MorseTable& table,
                                            const ReceptionConditions& c, RandomGenerator& random,
                                            const SampleSink& sink, const RenderProgress& progress,
                                            const Openings& openings)
{
    const int sampleRate = renderSampleRate(request);
    const KeyingValues values = deriveKeyingValues(request.parameters, sampleRate);
    KeyedMarks keyed = renderMarks(request, table, c, sampleRate, values);
    auto total = static_cast<std::uint64_t>(std::llround(keyed.length * sampleRate));
    total += openKeyUps(keyed, openings, sampleRate);
    if (total > kMaxWavSamples)
        return fail(ErrorCode::TooLong, std::string(messages::kTooLong));

    BandRandom band(random);
    const double amplitude = values.toneAmplitude;
    KeyingEnvelope envelope(keyed.marks, sampleRate, shapeOf(c), riseOf(c));
    // Noise of variance sigma^2 holds sigma^2 x 1000 / fs in 500 Hz, against
    // a key-down carrier of power a^2 / 2.
    const double sigma =
        c.snrDb ? std::sqrt(amplitude * amplitude / 2 * sampleRate / 1000 / std::pow(10.0, *c.snrDb / 10)) : 0;
    // Atmospherics are reckoned against the noise in 500 Hz (or, without
    // noise, against a signal 20 dB above it).
    const double reference = std::max(c.snrDb ? sigma * std::sqrt(1000.0 / sampleRate) : amplitude / 10, 100.0);
    std::optional<Fading> fading;
    if (c.qsbHz)
        fading.emplace(*c.qsbHz, c.qsbK, sampleRate, band);
    std::optional<OtherStations> others;
    if (c.qrm > 0)
        others.emplace(c.qrm, values.toneFrequency, amplitude, keyed.length, sampleRate, table, c, band);
    std::optional<Atmospherics> atmospherics;
    if (c.qrnRate > 0 || c.crashRate > 0)
        atmospherics.emplace(c.qrnRate, c.crashRate, reference, sampleRate, band);
    std::optional<BandpassFilter> filter;
    if (c.filterHz)
        filter.emplace(values.toneFrequency, *c.filterHz, sampleRate, c.filterShape);

    // A clean signal keeps its level; noise or other signals go through the
    // receiver's gain control, which aims at the signal's own level (so the
    // Signal slider still counts) without passing -6 dBFS.
    std::optional<ReceiverAgc> agc;
    if (sigma > 0 || values.noiseSpan > 0 || others || atmospherics)
        agc.emplace(std::min<double>(amplitude, kAgcCeiling), sampleRate);

    const double tau = c.chirpTauMs / 1000 * sampleRate;
    // The oscillator is a phasor turned by one sample's angle each sample
    // (renormalised every block): phase-continuous, chirp included. While
    // the key is up it moves on a whole run in one turn.
    const double toneAngle = 2 * std::numbers::pi * values.toneFrequency / sampleRate;
    const std::complex<double> steadyTurn = std::polar(1.0, toneAngle);
    const double chirpDecay = std::exp(-1 / tau);
    std::ptrdiff_t chirpMark = -1;
    double chirpOffset = 0;
    std::complex<double> carrier(1, 0);
    std::vector<std::int16_t> samples(kBlock);
    std::vector<double> x(kBlock);
    std::uint64_t nextReport = kProgressStep;
    bool writing = true;
    std::uint64_t emitted = 0;
    // The samples the gain control lets out, written a block at a time.
    const auto emit = [&](const double* levels, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            samples[i] = clipped(levels[i]);
        emitted += count;
        writing = sink(std::span<const std::int16_t>(samples.data(), count));
    };
    // Block by block: our signal, the other stations, the noise and the
    // atmospherics are summed, then filtered, then through the gain control.
    for (std::uint64_t first = 0; first < total && writing; first += kBlock) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, total - first));
        const auto end = static_cast<std::int64_t>(first + count);
        std::fill_n(x.begin(), count, 0.0);
        for (auto index = static_cast<std::int64_t>(first); index < end;) {
            const double key = envelope.at(index);
            if (key == 0) {
                const std::int64_t run = std::min(envelope.steadyUntil(index), end) - index;
                if (fading)
                    fading->skip(run);
                carrier *= std::polar(1.0, toneAngle * static_cast<double>(run));
                index += run;
                continue;
            }
            std::complex<double> turn = steadyTurn;
            if (c.chirpHz != 0 && envelope.currentMark() >= 0) {
                // The offset decays by the same factor every sample after the
                // edge: one exp() a key-down, and the small extra angle turned
                // by its series.
                const std::ptrdiff_t mark = envelope.currentMark();
                const auto since = static_cast<double>(index - envelope.startSample(static_cast<std::size_t>(mark)));
                if (mark != chirpMark || since <= 0) {
                    chirpMark = mark;
                    chirpOffset = c.chirpHz * std::exp(-std::max(0.0, since) / tau);
                } else {
                    chirpOffset *= chirpDecay;
                }
                if (std::abs(chirpOffset) > kNegligibleHz)
                    turn = product(turn, smallTurn(2 * std::numbers::pi * chirpOffset / sampleRate));
            }
            const std::complex<double> gain = fading ? fading->next() : std::complex<double>(1, 0);
            x[static_cast<std::size_t>(index - static_cast<std::int64_t>(first))] =
                amplitude * key * realOfProduct(gain, carrier);
            carrier = product(carrier, turn);
            ++index;
        }
        carrier /= std::abs(carrier);
        if (others)
            others->addTo(x.data(), static_cast<std::int64_t>(first), count);
        if (sigma > 0) {
            for (std::size_t i = 0; i < count; ++i)
                x[i] += sigma * band.gaussian();
        } else if (values.noiseSpan > 0) {
            for (std::size_t i = 0; i < count; ++i)
                x[i] += random.below(static_cast<std::uint32_t>(values.noiseSpan));
        }
        if (atmospherics)
            atmospherics->addTo(x.data(), count);
        if (filter) {
            for (std::size_t i = 0; i < count; ++i)
                x[i] = filter->process(x[i]);
        }
        // The gain control holds back its look-ahead: what comes out first
        // moves to the front.
        std::size_t out = 0;
        for (std::size_t i = 0; i < count; ++i) {
            double value = x[i];
            if (!agc || agc->process(x[i], value))
                x[out++] = value;
        }
        emit(x.data(), out);
        if (progress && first + count >= nextReport) {
            progress(first + count, total);
            nextReport = first + count + kProgressStep;
        }
    }

    // What the gain control still holds.
    std::size_t held = 0;
    while (agc && writing && emitted + held < total) {
        double value = 0;
        if (agc->process(0, value))
            x[held++] = value;
    }
    if (writing && held > 0)
        emit(x.data(), held);

    if (progress)
        progress(emitted, total);
    return RenderedFile{sampleRate, static_cast<std::uint32_t>(emitted)};
}

Result<RenderedFile> renderReceptionFile(const RenderRequest& request, const MorseTable& table,
                                         const ReceptionConditions& conditions, RandomGenerator& random,
                                         const RenderProgress& progress)
{
    return writeRenderedFile(
        request.path, renderSampleRate(request), renderedSampleCount(request, table, conditions),
        [&](const SampleSink& sink, const RenderProgress& step) {
            return renderReceptionSamples(request, table, conditions, random, sink, step);
        },
        progress);
}

std::uint64_t renderedSampleCount(const RenderRequest& request, const MorseTable& table,
                                  const ReceptionConditions& conditions)
{
    if (!conditions.any())
        return brivo::renderedSampleCount(request, table);
    const int sampleRate = renderSampleRate(request);
    const KeyingValues values = deriveKeyingValues(request.parameters, sampleRate);
    const KeyedMarks keyed = renderMarks(request, table, conditions, sampleRate, values);
    return static_cast<std::uint64_t>(std::llround(keyed.length * sampleRate));
}

bool fitsInWavFile(const RenderRequest& request, const MorseTable& table, const ReceptionConditions& conditions)
{
    return renderedSampleCount(request, table, conditions) <= kMaxWavSamples;
}

Result<RenderedFile> renderWithConditions(const RenderRequest& request, const MorseTable& table,
                                          const ReceptionConditions& conditions, RandomGenerator& random,
                                          const RenderProgress& progress)
{
    if (!conditions.any())
        return renderMorseFile(request, table, random, progress);
    return renderReceptionFile(request, table, conditions, random, progress);
}

Result<RenderedFile> renderSamples(const RenderRequest& request, const MorseTable& table,
                                   const ReceptionConditions& conditions, RandomGenerator& random,
                                   const SampleSink& sink, const RenderProgress& progress, const Openings& openings)
{
    if (!conditions.any())
        return renderMorseSamples(request, table, random, sink, progress, openings);
    return renderReceptionSamples(request, table, conditions, random, sink, progress, openings);
}

} // namespace brivo::reception
