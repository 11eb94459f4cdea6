#pragma once

#include "cli/command_environment.h"
#include "drills/character_drill.h"
#include "morse/morse_table.h"

#include <optional>
#include <string>

namespace brivo::cli {

enum class DrillKind { Characters, Callsigns };

// What brivo-lesson --drill works from: the course's lesson characters,
// the character records of the history, the speed, and the answers to
// score (a file path) when they are given.
struct DrillRequest {
    DrillKind kind = DrillKind::Characters;
    std::u32string lessonCharacters;
    drills::CharacterRecords records;
    double wpm = 20;
    std::uint32_t seed = 0;
    std::optional<std::string> answers;
    bool json = false;
};

// Prints the drill's plan, or scores its answers: for the characters, one
// line per item, the character typed (or "-" for none) and the reaction
// time in ms; for the calls, one line per call, the copy, with "*" after it
// when the call was played twice. Exit statuses as brivo-lesson.
int runDrill(const DrillRequest& request, const MorseTable& table, CommandEnvironment& env);

} // namespace brivo::cli
