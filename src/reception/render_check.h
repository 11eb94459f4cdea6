#pragma once

#include "audio/keying_parameters.h"
#include "common/result.h"
#include "reception/reception_conditions.h"

#include <optional>
#include <string>

namespace brivo::reception {

// Before a render, window or command line: `conditions` checked against
// the sound settings at the render's rate (see checkConditions; Refused,
// in French), then, when they pass, what the trainee is told when the rise
// time cannot be kept at that speed ("temps de montée ramené à 14,5 ms à
// 33 mots/mn"), or nothing.
Result<std::optional<std::string>> checkRender(const KeyingParameters& parameters, int sampleRate,
                                               const ReceptionConditions& conditions);

} // namespace brivo::reception
