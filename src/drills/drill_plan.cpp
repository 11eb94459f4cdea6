#include "drills/drill_plan.h"

#include "common/edit_text.h"
#include "common/utf8.h"
#include "practice/material/callsigns.h"
#include "reception/reception_renderer.h"

#include <cmath>

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
    const double rate = renderSampleRate(request);
    const reception::KeyedMarks marks = reception::renderedMarks(request, table, sound.conditions);
    const auto samples = static_cast<double>(reception::renderedSampleCount(request, table, sound.conditions));
    return {text, wpmOf(sound.parameters), samples / rate * 1000,
            marks.marks.empty() ? 0 : marks.marks.back().end * 1000};
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
