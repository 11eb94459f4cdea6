#pragma once

#include "audio/keying_parameters.h"
#include "common/random_generator.h"
#include "common/result.h"
#include "drills/callsign_run.h"
#include "drills/character_drill.h"
#include "morse/morse_table.h"
#include "player/wav_reader.h"
#include "practice/material/material.h"
#include "reception/reception_conditions.h"

#include <string>
#include <vector>

namespace brivo::drills {

// How a drilled item sounds: the sound page's settings at the item's
// speed, with the reception conditions when they are on.
struct DrillSound {
    KeyingParameters parameters;
    reception::ReceptionConditions conditions;
};

// The sound settings of `sound` at `wpm` words per minute (the speed's
// position is six times that, rounded).
KeyingParameters atSpeed(const KeyingParameters& parameters, double wpm);
double wpmOf(const KeyingParameters& parameters);

// One item as it is keyed alone: its length, and the end of its last
// element (where a reaction time starts), in ms from the file's start.
struct PlannedItem {
    std::u32string text;
    double wpm = 0;
    double lengthMs = 0;
    double lastElementEndMs = 0;
};
PlannedItem planItem(const std::u32string& text, const DrillSound& sound, const MorseTable& table);

// The sound of an item as planItem keys it, in memory; with `toneHz`, a
// short verdict tone (kVerdictToneMs, then as much silence) comes first,
// and `offsetMs` says where the item starts. The noise draws from `random`.
inline constexpr double kVerdictToneMs = 120;
inline constexpr double kRightToneHz = 880;
inline constexpr double kWrongToneHz = 220;
struct ItemSound {
    PcmSound sound;
    double offsetMs = 0;
};
Result<ItemSound> renderItem(const std::u32string& text, const DrillSound& sound, const MorseTable& table,
                             RandomGenerator& random, std::optional<double> toneHz = std::nullopt);
// The verdict tone alone.
PcmSound verdictTone(double hz, const DrillSound& sound);

// The reaction time to an item, in ms: from the heard end of its last
// element (the clock time frame 0 of its sound is heard, plus the element's
// end in the sound) to the key press, less the typing baseline.
double reactionMs(double keyAtSeconds, double heardOriginSeconds, const PlannedItem& item, double baselineMs);

// A round of the character drill: kRoundLength characters of the pool drawn
// by need, at the sound's speed, and the time allowed for each answer.
struct CharacterRound {
    std::vector<PlannedItem> items;
    double timeoutSeconds = kLongestTimeout;
};
CharacterRound planCharacterRound(const std::u32string& pool, const CharacterRecords& records, double baselineMs,
                                  const DrillSound& sound, const MorseTable& table, RandomGenerator& random);

// The calls of a run, drawn from the callsign material with the filter;
// Refused (French message) when the filter leaves none.
Result<std::vector<std::u32string>> drawCalls(const practice::CharacterFilter& filter, RandomGenerator& random,
                                              int count = kCallsPerRun);

} // namespace brivo::drills
