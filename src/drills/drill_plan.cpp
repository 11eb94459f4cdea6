#include "drills/drill_plan.h"

#include "common/edit_text.h"
#include "common/utf8.h"
#include "practice/material/callsigns.h"
#include "reception/reception_renderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brivo::drills {

KeyingParameters atSpeed(const KeyingParameters& parameters, double wpm)
{
    KeyingParameters out = parameters;
    out.speedPosition = static_cast<int>(std::lround(wpm * 6));
    return out;
}

double wpmOf(const KeyingParameters& parameters)
{
    return parameters.speedPosition / 6.0;
}

PlannedItem planItem(const std::u32string& text, const DrillSound& sound, const MorseTable& table)
{
    const RenderRequest request{{}, keyedTextFromUtf8(encodeUtf8(text)), RenderForm::Live, sound.parameters};
    const reception::KeyedMarks marks = reception::renderedMarks(request, table, sound.conditions);
    return {text, wpmOf(sound.parameters), marks.length * 1000,
            marks.marks.empty() ? 0 : marks.marks.back().end * 1000};
}

PcmSound verdictTone(double hz, const DrillSound& sound)
{
    const RenderRequest request{{}, {}, RenderForm::Live, sound.parameters};
    const int rate = renderSampleRate(request);
    const double amplitude = deriveKeyingValues(sound.parameters, rate).toneAmplitude;
    const auto length = static_cast<std::size_t>(kVerdictToneMs / 1000 * rate);
    const auto ramp = static_cast<std::size_t>(0.005 * rate); // no click at either end
    PcmSound tone{rate, 1, std::vector<std::int16_t>(2 * length, 0)};
    for (std::size_t n = 0; n < length; ++n) {
        const double edge = std::min({1.0, static_cast<double>(n) / static_cast<double>(ramp),
                                      static_cast<double>(length - n) / static_cast<double>(ramp)});
        tone.samples[n] = static_cast<std::int16_t>(
            std::lround(amplitude * edge * std::sin(2 * std::numbers::pi * hz * static_cast<double>(n) / rate)));
    }
    return tone;
}

Result<ItemSound> renderItem(const std::u32string& text, const DrillSound& sound, const MorseTable& table,
                             RandomGenerator& random, std::optional<double> toneHz)
{
    const RenderRequest request{{}, keyedTextFromUtf8(encodeUtf8(text)), RenderForm::Live, sound.parameters};
    ItemSound out;
    out.sound = toneHz ? verdictTone(*toneHz, sound) : PcmSound{renderSampleRate(request), 1, {}};
    out.offsetMs = static_cast<double>(out.sound.samples.size()) * 1000 / out.sound.sampleRate;
    const Result<RenderedFile> rendered =
        reception::renderSamples(request, table, sound.conditions, random, [&out](std::span<const std::int16_t> block) {
            out.sound.samples.insert(out.sound.samples.end(), block.begin(), block.end());
            return true;
        });
    if (!rendered)
        return rendered.error();
    return out;
}

double reactionMs(double keyAtSeconds, double heardOriginSeconds, const PlannedItem& item, double baselineMs)
{
    return (keyAtSeconds - heardOriginSeconds) * 1000 - item.lastElementEndMs - baselineMs;
}

CharacterRound planCharacterRound(const std::u32string& pool, const CharacterRecords& records, double baselineMs,
                                  const DrillSound& sound, const MorseTable& table, RandomGenerator& random)
{
    CharacterRound round;
    round.timeoutSeconds = timeoutSeconds(pool, records, baselineMs);
    for (const char32_t c : drawByNeed(pool, records, kRoundLength, random))
        round.items.push_back(planItem(std::u32string(1, c), sound, table));
    return round;
}

Result<std::vector<std::u32string>> drawCalls(const practice::CharacterFilter& filter, RandomGenerator& random,
                                              int count)
{
    std::vector<std::u32string> calls;
    for (int i = 0; i < count; ++i) {
        std::optional<practice::Callsign> call = practice::drawCallsign(filter, random);
        if (!call)
            return fail(ErrorCode::Refused, practice::nothingLeftMessage(practice::MaterialKind::Calls, filter));
        calls.push_back(std::move(call->call));
    }
    return calls;
}

} // namespace brivo::drills
