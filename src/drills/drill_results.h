#pragma once

#include "drills/callsign_run.h"
#include "drills/character_drill.h"
#include "practice/copy_check.h"

#include <vector>

namespace brivo::drills {

// What a drill gives the course, in the form of a check: the characters
// sent and copied, each one's count and the confusions; the score is the
// share of characters right.
practice::CopyCheck charactersCheck(const std::vector<CharacterAnswer>& answers);
practice::CopyCheck callsCheck(const std::vector<CallResult>& results);

} // namespace brivo::drills
