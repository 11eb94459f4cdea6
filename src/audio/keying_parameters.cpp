#include "audio/keying_parameters.h"

namespace brivo {

static_assert(sizeof(long double) > sizeof(double), "samplesPerUnit needs x87 extended precision");

int sampleRateForIndex(std::optional<int> index, int previous)
{
    if (!index || *index < 0 || *index >= static_cast<int>(sound::kSampleRates.size()))
        return previous;
    return sound::kSampleRates[static_cast<std::size_t>(*index)];
}

std::int32_t samplesPerUnit(int sampleRate, double unitDuration)
{
    const long double product = static_cast<long double>(sampleRate) * static_cast<long double>(unitDuration);
    return static_cast<std::int32_t>(product);
}

KeyingValues deriveKeyingValues(const KeyingParameters& parameters, int sampleRate)
{
    KeyingValues values;
    values.sampleRate = sampleRate;
    values.toneFrequency = sound::toneHz(parameters.tonePosition);
    values.unitsPerWord = parameters.referenceWord == ReferenceWord::Paris ? 50 : 60;
    values.unitDuration = 3600.0 / (10.0 * parameters.speedPosition * values.unitsPerWord);
    values.samplesPerUnit = samplesPerUnit(sampleRate, values.unitDuration);
    values.toneAmplitude = static_cast<std::int16_t>(120 * parameters.signalPosition);
    values.noiseSpan = 40 * parameters.noisePosition;
    values.fadeLength = sampleRate / 600;
    return values;
}

} // namespace brivo
