#include "reception/render_check.h"

#include "reception/keyed_marks.h"
#include "reception/keying_envelope.h"

namespace brivo::reception {

Result<std::optional<std::string>> checkRender(const KeyingParameters& parameters, int sampleRate,
                                               const ReceptionConditions& conditions)
{
    const KeyingValues keying = deriveKeyingValues(parameters, sampleRate);
    const double wpm = characterWpm(keying.unitDuration, keying.unitsPerWord);
    if (Result<void> accepted = checkConditions(conditions, wpm, parameters.spacingFactor, parameters.noisePosition);
        !accepted)
        return accepted.error();
    if (!conditions.any())
        return std::optional<std::string>{};
    return heldRiseNote(conditions.riseMs.value_or(kDefaultRiseMs), keying.unitDuration, wpm);
}

} // namespace brivo::reception
